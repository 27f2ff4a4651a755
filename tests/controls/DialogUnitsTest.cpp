// Dialog-unit arithmetic and the choice of dialog font.

#include "controls/DialogUnits.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QTest>

#include <climits>

using veldran::DialogBaseUnits;

Q_DECLARE_METATYPE(DialogBaseUnits)

class DialogUnitsTest : public QObject {
    Q_OBJECT

private slots:
    void mulDiv_data();
    void mulDiv();
    void baseUnits_data();
    void baseUnits();
    void mapRect_data();
    void mapRect();
    void dialogFont_data();
    void dialogFont();
};

void DialogUnitsTest::mulDiv_data()
{
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::addColumn<int>("c");
    QTest::addColumn<int>("result");

    QTest::newRow("rounds down") << 3 << 7 << 4 << 5;
    QTest::newRow("half rounds up") << 1 << 6 << 4 << 2;
    QTest::newRow("negative half away from zero") << -1 << 6 << 4 << -2;
    QTest::newRow("negative divisor") << 3 << 7 << -4 << -5;
    QTest::newRow("wide product") << INT_MAX << 4 << 8 << INT_MAX / 2 + 1;
    QTest::newRow("overflow") << INT_MAX << 2 << 1 << 0;
    QTest::newRow("zero divisor") << 5 << 7 << 0 << 0;
}

void DialogUnitsTest::mulDiv()
{
    QFETCH(int, a);
    QFETCH(int, b);
    QFETCH(int, c);
    QFETCH(int, result);
    QCOMPARE(veldran::MulDivRound(a, b, c), result);
}

void DialogUnitsTest::baseUnits_data()
{
    QTest::addColumn<int>("lettersWidth");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");

    QTest::newRow("exact average") << 312 << 12 << 6 << 12;
    QTest::newRow("below half") << 337 << 13 << 6 << 13;
    QTest::newRow("half rounds up") << 338 << 13 << 7 << 13;
}

void DialogUnitsTest::baseUnits()
{
    QFETCH(int, lettersWidth);
    QFETCH(int, height);
    QFETCH(int, x);
    QFETCH(int, y);
    const DialogBaseUnits units = veldran::BaseUnitsFromMetrics(lettersWidth, height);
    QCOMPARE(units.nX, x);
    QCOMPARE(units.nY, y);
}

void DialogUnitsTest::mapRect_data()
{
    QTest::addColumn<DialogBaseUnits>("units");
    QTest::addColumn<QRect>("dlu");
    QTest::addColumn<QRect>("pixels");

    // Quarters of the average width across, eighths of the height down, each rounded on its own.
    QTest::newRow("6 x 13") << DialogBaseUnits{6, 13} << QRect(7, 10, 50, 14) << QRect(11, 16, 75, 23);
    QTest::newRow("8 x 16") << DialogBaseUnits{8, 16} << QRect(4, 4, 20, 8) << QRect(8, 8, 40, 16);
    QTest::newRow("origin") << DialogBaseUnits{7, 15} << QRect(0, 0, 1, 1) << QRect(0, 0, 2, 2);
}

void DialogUnitsTest::mapRect()
{
    QFETCH(DialogBaseUnits, units);
    QFETCH(QRect, dlu);
    QFETCH(QRect, pixels);
    QCOMPARE(veldran::MapDialogRect(dlu, units), pixels);
    QCOMPARE(veldran::MapDialogPoint(dlu.topLeft(), units), pixels.topLeft());
    QCOMPARE(veldran::MapDialogSize(dlu.size(), units), pixels.size());
}

void DialogUnitsTest::dialogFont_data()
{
    QTest::addColumn<QString>("face");
    QTest::addColumn<QString>("fallback");
    QTest::addColumn<bool>("fixedPitch");

    QTest::newRow("gulim") << QString::fromUtf8("굴림") << "NanumGothic" << false;
    QTest::newRow("gulimche") << QString::fromUtf8("굴림체") << "NanumGothicCoding" << true;
}

void DialogUnitsTest::dialogFont()
{
    QFETCH(QString, face);
    QFETCH(QString, fallback);
    QFETCH(bool, fixedPitch);

    const QFont font = veldran::DialogFont(face.toUtf8().constData(), 9);
    QCOMPARE(font.pointSize(), 9);
    if (QFontDatabase::hasFamily(face)) {
        QCOMPARE(font.family(), face);
        return;
    }
    if (!QFontDatabase::hasFamily(fallback))
        QSKIP("the Nanum fonts are not installed");
    QCOMPARE(font.family(), fallback);
    QCOMPARE(QFontInfo(font).family(), fallback);
    // Korean coding fonts are "dual" width (Hangul twice as wide), so compare Latin letters.
    const QFontMetrics metrics(font);
    QCOMPARE(metrics.horizontalAdvance(QLatin1Char('i')) == metrics.horizontalAdvance(QLatin1Char('W')), fixedPitch);

    const DialogBaseUnits units = veldran::BaseUnitsOf(font);
    QVERIFY(units.nX > 0);
    QVERIFY(units.nY > units.nX);
}

QTEST_MAIN(DialogUnitsTest)
#include "DialogUnitsTest.moc"
