// The command-line programs' texts: the table built from the English catalogue says what the
// window's catalogue says for every text, and a message comes out as the window shows it, in
// either face.

#include "i18n/CliText.h"
#include "i18n/EnglishCatalogue.h"
#include "i18n/MessageText.h"
#include "i18n/Translation.h"
#include "resources/Strings.h"

#include <QTest>

#include <cstring>

using namespace veldran;

Q_DECLARE_METATYPE(veldran::Message)

class CliTextTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { UseUiLanguage(UiLanguage::Korean); }

    // Every entry of the table is the compiled catalogue's translation of its source, and every
    // screen text has one: the two faces cannot drift apart.
    void tableIsTheCatalogue()
    {
        QVERIFY(UseUiLanguage(UiLanguage::English));
        QVERIFY(kEnglishEntryCount >= std::size(text::kScreenTexts));
        for (std::size_t i = 0; i < kEnglishEntryCount; ++i) {
            const SCatalogueEntry& entry = kEnglishEntries[i];
            QCOMPARE(QString::fromUtf8(entry.translation), Tr(entry.source));
            if (i > 0)
                QVERIFY(std::strcmp(kEnglishEntries[i - 1].source, entry.source) < 0);
        }
        for (const char* source : text::kScreenTexts) {
            QCOMPARE(QString::fromStdString(CliTranslate(source, UiLanguage::English)), Tr(source));
            QCOMPARE(CliTranslate(source, UiLanguage::Korean), std::string(source));
        }
        QCOMPARE(CliTranslate("not a text of the program", UiLanguage::English), std::string("not a text of the program"));
    }

    void messagesAsTheWindowShowsThem_data()
    {
        QTest::addColumn<Message>("message");
        QTest::newRow("values") << Message(text::kCaptureIncomplete, {"10", "7", "48"});
        QTest::newRow("values and a line more") << Message(text::kCannotStoreCapture, {"tmp.bmp", "disk full"});
        QTest::newRow("followed by a hint")
            << Message(text::kSerialInitFailed, {"1", "1"})
                   .Then(Message(text::kHintBusyNamed, {"/dev/ttyS0", "Device or resource busy", "4242", "minicom"}));
        QTest::newRow("words not the program's") << Message::AsIs("WARNING: 100%d", MessageIcon::Stop);
        QTest::newRow("a percent sign") << Message(text::kCliBadClock, {"40%"});
    }
    void messagesAsTheWindowShowsThem()
    {
        QFETCH(Message, message);
        QCOMPARE(CliText(message, UiLanguage::Korean), SourceText(message));
        QVERIFY(UseUiLanguage(UiLanguage::English));
        QCOMPARE(QString::fromStdString(CliText(message, UiLanguage::English)), MessageText(message));
        QVERIFY(CliText(message, UiLanguage::English) != SourceText(message) || !message.id);
    }

    void usageError()
    {
        const std::string said = CliUsageError("veldran-convert", "too many file names");
        const std::string hint = CliText(Message(text::kCliTryHelp, {"veldran-convert"}));
        QCOMPARE(said, "veldran-convert: too many file names\n" + hint + "\n");
        QCOMPARE(CliText(Message(text::kCliTryHelp, {"veldran-convert"}), UiLanguage::English),
                 std::string("Try 'veldran-convert --help' for more information."));
    }
};

QTEST_GUILESS_MAIN(CliTextTest)
#include "CliTextTest.moc"
