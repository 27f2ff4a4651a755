// Where the printed page puts the picture, the header line and the processing text.

#include "print/PageLayout.h"

#include <QTest>

using namespace veldran;

class PageLayoutTest : public QObject {
    Q_OBJECT
private slots:
    void layOut_data();
    void layOut();
};

void PageLayoutTest::layOut_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("x0");
    QTest::addColumn<int>("y0");
    QTest::addColumn<int>("w");
    QTest::addColumn<int>("h");
    QTest::addColumn<int>("headerY");
    QTest::addColumn<int>("centreX");
    QTest::addColumn<int>("centreY");

    QTest::newRow("portrait 4800 x 6600") << 4800 << 6600 << 240 << 330 << 4320 << 5940 << 165 << 2400 << 3300;
    QTest::newRow("landscape 6600 x 4800") << 6600 << 4800 << 330 << 240 << 5940 << 4320 << 120 << 3300 << 2400;
    // Fractions are cut toward zero: 5.05, 4.95, 90.9, 89.1, 2.475; the centre halves are integer.
    QTest::newRow("odd 101 x 99") << 101 << 99 << 5 << 4 << 90 << 89 << 2 << 50 << 49;
    QTest::newRow("A4 at 1200 dpi") << 9921 << 14031 << 496 << 701 << 8928 << 12627 << 350 << 4960 << 7015;
    QTest::newRow("empty") << 0 << 0 << 0 << 0 << 0 << 0 << 0 << 0 << 0;
}

void PageLayoutTest::layOut()
{
    QFETCH(int, width);
    QFETCH(int, height);
    const PageLayout page = LayOutPage(width, height);
    QTEST(page.nX0, "x0");
    QTEST(page.nY0, "y0");
    QTEST(page.nWidth, "w");
    QTEST(page.nHeight, "h");
    QTEST(page.nHeaderY, "headerY");
    QTEST(page.nCentreX, "centreX");
    QTEST(page.nCentreY, "centreY");
}

QTEST_GUILESS_MAIN(PageLayoutTest)
#include "PageLayoutTest.moc"
