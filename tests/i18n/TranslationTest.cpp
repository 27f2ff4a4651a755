// The catalogues each language installs, the text of a message in each language (its screen text
// translated, its values filled in), and the translation of the finished texts the value field
// receives.

#include "tests/common/Hangul.h"

#include "i18n/MessageText.h"
#include "i18n/Translation.h"
#include "resources/Strings.h"

#include <QRegularExpression>
#include <QTest>
#include <QTranslator>

#include <cstdio>
#include <string>

Q_DECLARE_METATYPE(veldran::Message)

using namespace veldran;
using test::HasHangul;

namespace {

// A screen text (or its translation) with its "%d" and "%s" filled in, as the program shows it.
QString Filled(QString text, const QString& number, const QString& word)
{
    text.replace(QStringLiteral("%d"), number);
    text.replace(QStringLiteral("%s"), word);
    return text;
}

// The message of a screen text with a value for each of its "%d" (3) and "%s" (a file name), and
// one more line.
Message WithValues(const char* source, const std::string& line)
{
    Message message(source);
    for (const char* p = source; *p; ++p)
        if (p[0] == '%' && (p[1] == 'd' || p[1] == 's'))
            message.args.push_back(p[1] == 'd' ? "3" : "/tmp/capture.vxr");
    message.args.push_back(line);
    return message;
}

// printf's own filling of a template of three numbers.
std::string Printed(const char* source, int a, int b, int c)
{
    char text[512];
    std::snprintf(text, sizeof text, source, a, b, c);
    return text;
}

} // namespace

class TranslationTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { UseUiLanguage(UiLanguage::Korean); }

    void everyScreenTextHasAnEnglishEntry()
    {
        QVERIFY(UseUiLanguage(UiLanguage::English));
        QTranslator catalogue;
        QVERIFY(catalogue.load(QString::fromLatin1(kEnglishCatalogue)));
        for (const char* source : text::kScreenTexts) {
            const QString english = catalogue.translate(kTranslationContext, source);
            QVERIFY2(!english.isEmpty(), source);
            QVERIFY2(!HasHangul(english), qPrintable(english));
            // The values of a template survive translation: as many, of the same kinds, in order.
            static const QRegularExpression placeholder(QStringLiteral("%[ds]"));
            QStringList kinds;
            QStringList englishKinds;
            for (auto it = placeholder.globalMatch(QString::fromUtf8(source)); it.hasNext();)
                kinds << it.next().captured();
            for (auto it = placeholder.globalMatch(english); it.hasNext();)
                englishKinds << it.next().captured();
            QCOMPARE(englishKinds, kinds);
        }
    }

    // Every screen text, as a message with its values and a line after it (a file name), in English.
    void englishShowsEveryScreenTextInEnglish_data()
    {
        QTest::addColumn<QByteArray>("source");
        for (const char* source : text::kScreenTexts)
            QTest::newRow(source) << QByteArray(source);
    }

    void englishShowsEveryScreenTextInEnglish()
    {
        QFETCH(QByteArray, source);
        QVERIFY(UseUiLanguage(UiLanguage::English));
        const Message message = WithValues(source.constData(), "/home/user/a.vxr");
        const QString shown = MessageText(message);
        QVERIFY2(!HasHangul(shown), qPrintable(shown));
        QVERIFY2(shown.startsWith(Filled(Tr(source.constData()), QStringLiteral("3"), QStringLiteral("/tmp/capture.vxr"))),
                 qPrintable(shown));
        QVERIFY2(shown.endsWith(QStringLiteral("\n/home/user/a.vxr")), qPrintable(shown));
        QCOMPARE(MessageText(Message(source.constData())), Tr(source.constData()));
    }

    // Messages as the lower layers report them, and the text each face shows.
    void messageTexts_data()
    {
        QTest::addColumn<Message>("message");
        QTest::addColumn<QString>("korean");
        QTest::addColumn<QString>("english");
        const auto tr = [](const char* source) { return Tr(source); };
        const auto ko = [](const char* source) { return QString::fromUtf8(source); };
        QVERIFY(UseUiLanguage(UiLanguage::English));
        const QString path = QStringLiteral("/data/측정 결과.vxr");
        const std::string file = path.toStdString();
        QTest::newRow("file error: text, path, system text")
            << Message(text::kCannotOpen, {file, "No such file or directory"})
            << ko(text::kCannotOpen) + "\n" + path + "\nNo such file or directory"
            << tr(text::kCannotOpen) + "\n" + path + "\nNo such file or directory";
        QTest::newRow("template with numbers")
            << Message(text::kSerialInitFailed, {"4", "4"}) << Filled(ko(text::kSerialInitFailed), "4", QString())
            << Filled(tr(text::kSerialInitFailed), "4", QString());
        const QString busy = QStringLiteral("/dev/ttyS0: Device or resource busy");
        QTest::newRow("port message with its reason")
            << Message(text::kSerialInitFailed, {"1", "1"})
                   .Then(Message(text::kHintBusyNamed, {"/dev/ttyS0", "Device or resource busy", "4242", "minicom"}))
            << Filled(ko(text::kSerialInitFailed), "1", QString()) + "\n" +
                   ko(text::kHintBusyNamed).replace("%s: %s", busy).replace("%d", "4242").replace("%s", "minicom")
            << Filled(tr(text::kSerialInitFailed), "1", QString()) + "\n" +
                   tr(text::kHintBusyNamed).replace("%s: %s", busy).replace("%d", "4242").replace("%s", "minicom");
        QTest::newRow("template with a Korean file name")
            << Message(text::kCannotStoreCapture, {file}) << Filled(ko(text::kCannotStoreCapture), QString(), path)
            << Filled(tr(text::kCannotStoreCapture), QString(), path);
        QTest::newRow("the numbers of an incomplete capture")
            << Message(text::kCaptureIncomplete, {"5", "2", "0"})
            << QString::fromUtf8(QByteArray::fromStdString(Printed(text::kCaptureIncomplete, 5, 2, 0)))
            << QString(tr(text::kCaptureIncomplete)).replace(QRegularExpression("%d(.*)%d(.*)%d", QRegularExpression::DotMatchesEverythingOption), "5\\12\\20");
        QTest::newRow("an export that failed")
            << Message(text::kCannotExport, {"/tmp/a.sr: Permission denied"})
            << ko(text::kCannotExport) + "\n/tmp/a.sr: Permission denied"
            << tr(text::kCannotExport) + "\n/tmp/a.sr: Permission denied";
        QTest::newRow("ending in a line feed") << Message(text::kValueOutOfRange, {""})
                                               << ko(text::kValueOutOfRange) + "\n" << tr(text::kValueOutOfRange) + "\n";
        const std::string report = "WARNING:  ReadFile() Failed with the following error: \nInput/output error\nPort: 1\n";
        QTest::newRow("the system's words as they are")
            << Message::AsIs(report, MessageIcon::Stop, text::kApplicationError) << QString::fromStdString(report)
            << QString::fromStdString(report);
        QTest::newRow("a percent sign") << Message("%d%% of %s", {"50", "x"}) << QStringLiteral("50% of x")
                                        << QStringLiteral("50% of x");
    }

    void messageTexts()
    {
        QFETCH(Message, message);
        QFETCH(QString, korean);
        QFETCH(QString, english);
        QVERIFY(UseUiLanguage(UiLanguage::Korean));
        QCOMPARE(MessageText(message), korean);
        QCOMPARE(QString::fromStdString(SourceText(message)), korean);
        QVERIFY(UseUiLanguage(UiLanguage::English));
        QCOMPARE(MessageText(message), english);
    }

    void boxOfAMessage()
    {
        QVERIFY(UseUiLanguage(UiLanguage::English));
        Message message(text::kNoConnection, {}, MessageIcon::Stop);
        message.caption = text::kApplicationError;
        const UserMessage box = ShownBox(message);
        QCOMPARE(QString::fromStdString(box.text), Tr(text::kNoConnection));
        QCOMPARE(QString::fromStdString(box.caption), Tr(text::kApplicationError));
        QCOMPARE(box.icon, MessageIcon::Stop);
        QVERIFY(UseUiLanguage(UiLanguage::Korean));
        QCOMPARE(ShownBox(message).text, std::string(text::kNoConnection));
        QCOMPARE(ShownBox(Message(text::kIdle)).caption, std::string(text::kAppTitle));
    }

    void koreanShowsTheProgramsOwnTexts()
    {
        UseUiLanguage(UiLanguage::Korean);
        QCOMPARE(CurrentUiLanguage(), UiLanguage::Korean);
        for (const char* source : text::kScreenTexts) {
            QCOMPARE(Tr(source), QString::fromUtf8(source));
            const Message message = WithValues(source, "z");
            const QString expected = Filled(QString::fromUtf8(source), QStringLiteral("3"), QStringLiteral("/tmp/capture.vxr")) +
                                     QStringLiteral("\nz");
            QCOMPARE(MessageText(message), expected);
        }
        QCOMPARE(ShownTitle(filetext::kUntitled), QString::fromUtf8(filetext::kUntitled));
    }

    void untitledIsTranslatedButFileNamesAreNot()
    {
        QVERIFY(UseUiLanguage(UiLanguage::English));
        QVERIFY(!HasHangul(ShownTitle(filetext::kUntitled)));
        QVERIFY(!ShownTitle(filetext::kUntitled).isEmpty());
        // A capture saved under a name that happens to be a text of the program keeps its name.
        QCOMPARE(ShownTitle(text::kIdle), QString::fromUtf8(text::kIdle));
        QCOMPARE(ShownTitle("측정.vxr"), QStringLiteral("측정.vxr"));
    }

    // Qt's own dialogs and standard buttons follow the program's language.
    void qtsOwnTextsFollowTheLanguage_data()
    {
        QTest::addColumn<QByteArray>("context");
        QTest::addColumn<QByteArray>("source");
        QTest::newRow("Yes") << QByteArray("QPlatformTheme") << QByteArray("&Yes");
        QTest::newRow("No") << QByteArray("QPlatformTheme") << QByteArray("&No");
        QTest::newRow("Cancel") << QByteArray("QPlatformTheme") << QByteArray("Cancel");
        QTest::newRow("Open dialog") << QByteArray("QFileDialog") << QByteArray("Open");
        QTest::newRow("Print Preview") << QByteArray("QPrintPreviewDialog") << QByteArray("Print Preview");
    }

    void qtsOwnTextsFollowTheLanguage()
    {
        QFETCH(QByteArray, context);
        QFETCH(QByteArray, source);
        QVERIFY(UseUiLanguage(UiLanguage::Korean));
        const QString korean = QCoreApplication::translate(context.constData(), source.constData());
        QVERIFY2(HasHangul(korean), qPrintable(korean));
        QVERIFY(UseUiLanguage(UiLanguage::English));
        QCOMPARE(QCoreApplication::translate(context.constData(), source.constData()), QString::fromUtf8(source));
    }
};

QTEST_GUILESS_MAIN(TranslationTest)
#include "TranslationTest.moc"
