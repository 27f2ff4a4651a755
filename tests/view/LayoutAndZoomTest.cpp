// The form's geometry and the placement of the zoom windows, computed without any widget.

#include "resources/Ids.h"
#include "view/FormLayout.h"
#include "view/ZoomWindow.h"

#include <QTest>

using namespace veldran;

class LayoutAndZoomTest : public QObject {
    Q_OBJECT

private:
    static QRect Placement(const FormLayout& layout, int id, int occurrence = 0)
    {
        for (const auto& [placedId, rect] : layout.placements)
            if (placedId == id && occurrence-- == 0)
                return rect;
        return QRect();
    }

private slots:
    void rowHeight_data()
    {
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("row");
        QTest::newRow("380") << 380 << 20;
        QTest::newRow("60 hides the traces") << 60 << 0;
        QTest::newRow("half rounds up") << 68 << 1;   // 8 / 16 = 0.5
        QTest::newRow("below half rounds down") << 67 << 0;
        QTest::newRow("1080") << 1080 << 64;          // 1020 / 16 = 63.75
    }
    void rowHeight()
    {
        QFETCH(int, height);
        QFETCH(int, row);
        QCOMPARE(FormRowHeight(height), row);
    }

    void layoutAt380()
    {
        const FormLayout layout = ComputeFormLayout(1000, 380);
        QCOMPARE(layout.rowHeight, 20);
        QCOMPARE(layout.infoTop, 330);
        QCOMPARE(Placement(layout, ids::kTraceFirst), QRect(5, 0, 990, 20));
        QCOMPARE(Placement(layout, ids::kTraceFirst + 15), QRect(5, 300, 990, 20));
        QCOMPARE(Placement(layout, ids::kLeftPos), QRect(85, 336, 75, 16));
        QCOMPARE(Placement(layout, ids::kRightPos), QRect(915, 336, 100, 16));
        QCOMPARE(Placement(layout, ids::kEditX), QRect(55, 352, 35, 20));
        QCOMPARE(Placement(layout, ids::kXPosData), QRect(415, 352, 370, 20));
        QCOMPARE(Placement(layout, ids::kWindowText), QRect(800, 352, 100, 20));
        // The group box is moved twice; the second, taller placement is the one that stays.
        QCOMPARE(Placement(layout, ids::kInfoGroup, 0).height(), 40);
        QCOMPARE(Placement(layout, ids::kInfoGroup, 1), QRect(5, 330, 990, 55));
        QCOMPARE(Placement(layout, ids::kXCursorLine), QRect(-1, -1, 0, 0));
        QCOMPARE(Placement(layout, ids::kYCursorLabel), QRect(-1, -1, 0, 0));
    }

    void informationRowKeepsItsXWhateverTheWidth()
    {
        const FormLayout narrow = ComputeFormLayout(400, 500);
        const FormLayout wide = ComputeFormLayout(2000, 500);
        for (int id : {ids::kEditX, ids::kSpinY, ids::kXYDistance, ids::kWindowText})
            QCOMPARE(Placement(narrow, id).x(), Placement(wide, id).x());
        QCOMPARE(Placement(wide, ids::kTraceFirst).width(), 1990);
    }

    void wideTextsWidenTheirControlsAndMoveTheRest_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("needed");
        QTest::addColumn<int>("width");   // of the control itself
        QTest::addColumn<int>("shift");   // of every control to its right
        QTest::newRow("narrower than the template") << int(ids::kEditX) << 20 << 35 << 0;
        QTest::newRow("edit 15 wider") << int(ids::kEditX) << 50 << 50 << 15;
        // A label reaches under the next control; only the part before it counts as room.
        QTest::newRow("label within its room") << int(ids::kLabelXPos) << 40 << 50 << 0;
        QTest::newRow("label beyond its room") << int(ids::kLabelXPos) << 47 << 50 << 7;
        QTest::newRow("label beyond its template width") << int(ids::kLabelXPos) << 60 << 60 << 20;
        QTest::newRow("distance for a far cursor") << int(ids::kXYDistance) << 150 << 150 << 85;
        QTest::newRow("value field") << int(ids::kXPosData) << 400 << 400 << 30;
    }
    void wideTextsWidenTheirControlsAndMoveTheRest()
    {
        QFETCH(int, id);
        QFETCH(int, needed);
        QFETCH(int, width);
        QFETCH(int, shift);
        const FormLayout plain = ComputeFormLayout(1500, 500);
        const FormLayout wide = ComputeFormLayout(1500, 500, {{id, needed}});
        QCOMPARE(Placement(wide, id).x(), Placement(plain, id).x());
        QCOMPARE(Placement(wide, id).width(), width);
        const int rightOfIt = Placement(plain, id).x();
        for (int other : {ids::kLabelXPos, ids::kEditX, ids::kSpinX, ids::kLabelYPos, ids::kEditY, ids::kSpinY,
                          ids::kLabelXY, ids::kXYDistance, ids::kLabelXData, ids::kXPosData, ids::kWindowText}) {
            if (other == id)
                continue;
            const int moved = Placement(plain, other).x() > rightOfIt ? shift : 0;
            QCOMPARE(Placement(wide, other).x(), Placement(plain, other).x() + moved);
            QCOMPARE(Placement(wide, other).width(), Placement(plain, other).width());
        }
        QCOMPARE(wide.infoRight, plain.infoRight + (id == ids::kWindowText ? width - 100 : shift));
    }

    void countersPushTheStripAside()
    {
        const FormLayout plain = ComputeFormLayout(1000, 380);
        QCOMPARE(plain.stripLeft, 160);
        QCOMPARE(plain.stripRight, 912);
        const FormLayout wide = ComputeFormLayout(1000, 380, {{ids::kLeftPos, 110}, {ids::kRightPos, 120}});
        QCOMPARE(Placement(wide, ids::kLeftPos), QRect(85, 336, 110, 16));
        QCOMPARE(wide.stripLeft, 195);
        // The right counter keeps to the form's edge and grows to the left.
        QCOMPARE(Placement(wide, ids::kRightPos), QRect(880, 336, 120, 16));
        QCOMPARE(wide.stripRight, 877);
    }

    void placeWindow_data()
    {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("window");
        QTest::addColumn<int>("held");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("end");
        QTest::newRow("centred on 100, window 64") << 100 << 64 << 5000 << 5000 << 68 << 132;
        QTest::newRow("near the start, window 256") << 3 << 256 << 5000 << 5000 << 0 << 256;
        QTest::newRow("near the end of 1000") << 990 << 64 << 1000 << 1000 << 936 << 1000;
        QTest::newRow("capture shorter than the window") << 10 << 64 << 50 << 50 << 0 << 64;
        QTest::newRow("centred 1023 shows 1022") << 2000 << 1023 << 5000 << 5000 << 1489 << 2511;
        QTest::newRow("clamped 1023 at the end") << 4990 << 1023 << 5000 << 5000 << 3977 << 5000;
        QTest::newRow("empty capture") << 0 << 16 << 0 << 0 << 0 << 16;
    }
    void placeWindow()
    {
        QFETCH(int, x);
        QFETCH(int, window);
        QFETCH(int, held);
        QFETCH(int, count);
        QFETCH(int, start);
        QFETCH(int, end);
        const SampleWindow placed = PlaceWindow(x, window, held, count);
        QCOMPARE(placed.start, start);
        QCOMPARE(placed.end, end);
    }

    void zoomSteps()
    {
        QCOMPARE(ExpandedWindow(16), 0);
        QCOMPARE(ExpandedWindow(64), 16);
        QCOMPARE(ExpandedWindow(256), 64);
        QCOMPARE(ExpandedWindow(1023), 256);
        QCOMPARE(ContractedWindow(16), 64);
        QCOMPARE(ContractedWindow(64), 256);
        QCOMPARE(ContractedWindow(256), 1023);
        QCOMPARE(ContractedWindow(1023), 0);
    }
};

QTEST_APPLESS_MAIN(LayoutAndZoomTest)
#include "LayoutAndZoomTest.moc"
