// Channel names travel through the Korean code page in capture files.

#include "document/KoreanCodePage.h"

#include <QTest>

using namespace veldran;

class KoreanCodePageTest : public QObject {
    Q_OBJECT

private slots:
    void roundTrip_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("cp949");
        QTest::newRow("ascii") << QStringLiteral(" CH  A00") << QByteArray(" CH  A00");
        QTest::newRow("korean") << QStringLiteral("채널") << QByteArray("\xC3\xA4\xB3\xCE");
        QTest::newRow("mixed") << QStringLiteral("CLK 클럭") << QByteArray("CLK \xC5\xAC\xB7\xB0");
    }
    void roundTrip()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, cp949);
        const std::string bytes = Utf8ToCp949(text.toStdString());
        QCOMPARE(QByteArray::fromStdString(bytes), cp949);
        QCOMPARE(QString::fromStdString(Cp949ToUtf8(bytes)), text);
    }

    void unrepresentableCharacters()
    {
        // A character the code page lacks becomes one '?', whatever its UTF-8 length.
        QCOMPARE(Utf8ToCp949("a\xF0\x9F\x98\x80" "b"), std::string("a?b"));
        QCOMPARE(Utf8ToCp949("\xE2\x98\x83"), std::string("?"));
        // Broken UTF-8 costs one '?' per byte and never swallows the next character.
        QCOMPARE(Utf8ToCp949("\xE2" "A"), std::string("?A"));
        // A lead byte without its trail at the end of a name.
        QCOMPARE(Cp949ToUtf8("A\xC3"), std::string("A\xEF\xBF\xBD"));
    }
};

QTEST_APPLESS_MAIN(KoreanCodePageTest)
#include "KoreanCodePageTest.moc"
