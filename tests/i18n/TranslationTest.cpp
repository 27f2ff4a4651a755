// The catalogues each language installs, and the translation of texts as the message box and the
// value field receive them: whole, composed of several texts and values, or filled-in templates.

#include "tests/common/Hangul.h"

#include "i18n/Translation.h"
#include "resources/Strings.h"

#include <QRegularExpression>
#include <QTest>
#include <QTranslator>

using namespace veldran;
using test::HasHangul;

namespace {

// A screen text with its "%d" and "%s" filled in, as the program shows it.
QString Filled(const char* source, const QString& number, const QString& word)
{
    QString text = QString::fromUtf8(source);
    text.replace(QStringLiteral("%d"), number);
    text.replace(QStringLiteral("%s"), word);
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
        // As shown: filled in, and followed by a line the program does not know (a file name).
        const QString shown = Filled(source.constData(), QStringLiteral("3"), QStringLiteral("/tmp/capture.vxr")) +
                              QStringLiteral("\n/home/user/a.vxr");
        const QString translated = TranslateText(shown);
        QVERIFY2(!HasHangul(translated), qPrintable(translated));
        QVERIFY2(translated.endsWith(QStringLiteral("\n/home/user/a.vxr")), qPrintable(translated));
        QCOMPARE(TranslateText(QString::fromUtf8(source)), Tr(source.constData()));
    }

    void composedTexts_data()
    {
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("expected");
        const auto tr = [](const char* source) { return Tr(source); };
        QVERIFY(UseUiLanguage(UiLanguage::English));
        const QString path = QStringLiteral("/data/측정 결과.vxr");
        QTest::newRow("file error: text, path, system text")
            << QString::fromUtf8(text::kCannotOpen) + "\n" + path + "\nNo such file or directory"
            << tr(text::kCannotOpen) + "\n" + path + "\nNo such file or directory";
        QTest::newRow("two texts of the program in a row")
            << QString::fromUtf8(text::kNoConnection) + "\n" + QString::fromUtf8(text::kTransferAbort)
            << tr(text::kNoConnection) + "\n" + tr(text::kTransferAbort);
        QTest::newRow("template with numbers")
            << Filled(text::kSerialInitFailed, "4", QString())
            << QString(tr(text::kSerialInitFailed)).replace(QStringLiteral("%d"), QStringLiteral("4"));
        QTest::newRow("template, then a reason line")
            << Filled(text::kSerialInitFailed, "2", QString()) + "\nPermission denied"
            << QString(tr(text::kSerialInitFailed)).replace(QStringLiteral("%d"), QStringLiteral("2")) +
                   "\nPermission denied";
        QTest::newRow("port message with its reason: the longest template wins")
            << Filled(text::kSerialInitFailed, "1", QString()) + "\n" +
                   QString::fromUtf8(text::kHintBusyNamed)
                       .replace(QStringLiteral("%s: %s"), QStringLiteral("/dev/ttyS0: Device or resource busy"))
                       .replace(QStringLiteral("%d"), QStringLiteral("4242"))
                       .replace(QStringLiteral("%s"), QStringLiteral("minicom"))
            << QString(tr(text::kSerialInitFailed)).replace(QStringLiteral("%d"), QStringLiteral("1")) + "\n" +
                   QString(tr(text::kHintBusyNamed))
                       .replace(QStringLiteral("%s: %s"), QStringLiteral("/dev/ttyS0: Device or resource busy"))
                       .replace(QStringLiteral("%d"), QStringLiteral("4242"))
                       .replace(QStringLiteral("%s"), QStringLiteral("minicom"));
        QTest::newRow("template with a Korean file name")
            << Filled(text::kCannotStoreCapture, QString(), path)
            << QString(tr(text::kCannotStoreCapture)).replace(QStringLiteral("%s"), path);
        QTest::newRow("label with its value") << QString::fromUtf8(text::kDataInTransfer) + "0049"
                                              << tr(text::kDataInTransfer) + "0049";
        QTest::newRow("caption") << QString::fromUtf8(text::kApplicationError) << tr(text::kApplicationError);
        QTest::newRow("lines ending in a line feed")
            << QString::fromUtf8(text::kValueOutOfRange) + "\n" << tr(text::kValueOutOfRange) + "\n";
        QTest::newRow("not a text of the program") << QStringLiteral("0101010101010101  1111000011110000")
                                                   << QStringLiteral("0101010101010101  1111000011110000");
        QTest::newRow("already English") << tr(text::kSettingsChanged) << tr(text::kSettingsChanged);
        QTest::newRow("empty") << QString() << QString();
    }

    void composedTexts()
    {
        QFETCH(QString, shown);
        QFETCH(QString, expected);
        QVERIFY(UseUiLanguage(UiLanguage::English));
        QCOMPARE(TranslateText(shown), expected);
        QCOMPARE(QString::fromStdString(TranslateText(shown.toStdString())), expected);
    }

    void koreanShowsTheProgramsOwnTexts()
    {
        UseUiLanguage(UiLanguage::Korean);
        QCOMPARE(CurrentUiLanguage(), UiLanguage::Korean);
        for (const char* source : text::kScreenTexts) {
            QCOMPARE(Tr(source), QString::fromUtf8(source));
            const QString shown = Filled(source, QStringLiteral("1"), QStringLiteral("x")) + QStringLiteral("\nz");
            QCOMPARE(TranslateText(shown), shown);
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
