// The form's geometry and the placement of the zoom windows, computed without any widget.

#include "resources/Ids.h"
#include "view/FormLayout.h"
#include "session/ZoomWindow.h"

#include <QTest>

#include <algorithm>
#include <vector>

using namespace veldran;

class LayoutAndZoomTest : public QObject {
    Q_OBJECT

private:
    // The information row, left to right.
    static std::vector<int> RowControls()
    {
        return {ids::kLabelXPos, ids::kEditX,      ids::kSpinX,    ids::kLabelYPos, ids::kEditY,     ids::kSpinY,
                ids::kLabelXY,   ids::kXYDistance, ids::kLabelXData, ids::kXPosData, ids::kWindowText};
    }

    // What a 12,000-sample capture at a 500 µs clock period needs in the form's font: the cursor
    // entries 12 pixels more than the template, X − Y ("-5999500.0000us") 51, the value field 30,
    // "WINDOW : 1023" 9; the labels fit their slots.
    static NeededWidths WidenedRow()
    {
        return {{ids::kLabelXPos, 38}, {ids::kEditX, 47},      {ids::kEditY, 47},     {ids::kLabelXY, 30},
                {ids::kXYDistance, 116}, {ids::kLabelXData, 80}, {ids::kXPosData, 400}, {ids::kWindowText, 109},
                {ids::kLeftPos, 90},   {ids::kRightPos, 95}};
    }

    // The widths a row needs: "template" (none beyond the template's), "widened" (WidenedRow) or
    // "doubled" (every control twice its template width, as a font twice as large needs).
    static NeededWidths NeededFor(const QString& row)
    {
        if (row == QLatin1String("widened"))
            return WidenedRow();
        NeededWidths needed;
        if (row == QLatin1String("doubled"))
            for (const int id : RowControls())
                needed[id] = 2 * Placement(ComputeFormLayout(2000, 500), id).width();
        return needed;
    }

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
        // 915: the template's row ends at 900, and as much is kept free on its right as on its left.
        const FormLayout narrow = ComputeFormLayout(915, 500);
        const FormLayout wide = ComputeFormLayout(2000, 500);
        for (int id : {ids::kEditX, ids::kSpinY, ids::kXYDistance, ids::kWindowText})
            QCOMPARE(Placement(narrow, id).x(), Placement(wide, id).x());
        QCOMPARE(Placement(wide, ids::kTraceFirst).width(), 1990);
    }

    // Where the row fits on one line it is placed as it always was, whatever the width beyond:
    // the widened row of a 12,000-sample capture at 500 µs, each control at the template's x plus
    // what the controls to its left grew.
    void aRowThatFitsStaysOnOneLine_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::newRow("just wide enough") << 1029 << 446;
        QTest::newRow("1920 wide") << 1920 << 1000;
        QTest::newRow("low") << 1100 << 200;
    }
    void aRowThatFitsStaysOnOneLine()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        const FormLayout layout = ComputeFormLayout(width, height, WidenedRow());
        QCOMPARE(layout.infoLines, 1);
        QCOMPARE(layout.extraHeight, 0);
        QCOMPARE(layout.rowHeight, FormRowHeight(height));
        QCOMPARE(layout.infoTop, 16 * FormRowHeight(height) + 10);
        const int y = layout.infoTop;
        const struct {
            int id;
            QRect rect;
        } expected[] = {
            {ids::kLabelXPos, {15, y + 25, 50, 20}},          {ids::kEditX, {55, y + 22, 47, 20}},
            {ids::kSpinX, {90 + 12, y + 22, 15, 20}},         {ids::kLabelYPos, {115 + 12, y + 25, 50, 20}},
            {ids::kEditY, {155 + 12, y + 22, 47, 20}},        {ids::kSpinY, {190 + 24, y + 22, 15, 20}},
            {ids::kLabelXY, {215 + 24, y + 25, 50, 20}},      {ids::kXYDistance, {250 + 24, y + 22, 116, 20}},
            {ids::kLabelXData, {330 + 75, y + 25, 120, 20}}, {ids::kXPosData, {415 + 75, y + 22, 400, 20}},
            {ids::kWindowText, {800 + 105, y + 22, 109, 20}},
        };
        for (const auto& [id, rect] : expected)
            QCOMPARE(Placement(layout, id), rect);
        QCOMPARE(layout.infoRight, 1014);
        QCOMPARE(Placement(layout, ids::kInfoGroup, 1), QRect(5, y, width - 10, 55));
        QCOMPARE(layout.stripTop, y + 6);
    }

    // One pixel narrower than the row and its margin, and the row takes two lines: the threshold
    // follows the widths the row needs, not the template's.
    void theRowBreaksWhereItNoLongerFits_data()
    {
        QTest::addColumn<QString>("row");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("lines");
        QTest::newRow("template row at 915") << "template" << 915 << 1;
        QTest::newRow("template row at 914") << "template" << 914 << 2;
        QTest::newRow("widened row at 1029") << "widened" << 1029 << 1;
        QTest::newRow("widened row at 1028") << "widened" << 1028 << 2;
        QTest::newRow("widened row at 958 (1920x1080 at factor 2)") << "widened" << 958 << 2;
        // Doubled: WINDOW moves by 875 (each control's doubled width beyond its slot) and is 200
        // wide, so the row ends at 800 + 875 + 200.
        QTest::newRow("doubled row at 1890") << "doubled" << 1890 << 1;
        QTest::newRow("doubled row at 1889") << "doubled" << 1889 << 2;
    }
    void theRowBreaksWhereItNoLongerFits()
    {
        QFETCH(QString, row);
        QFETCH(int, width);
        QFETCH(int, lines);
        const FormLayout layout = ComputeFormLayout(width, 446, NeededFor(row));
        QCOMPARE(layout.infoLines, lines);
        QCOMPARE(layout.extraHeight, lines == 2 ? 25 : 0);
        // The narrowest form that shows the row is the one that holds it on two lines.
        const FormLayout twoLines = ComputeFormLayout(layout.minimumWidth, 446, NeededFor(row));
        QCOMPARE(twoLines.infoLines, 2);
        QCOMPARE(twoLines.infoRight + 15, layout.minimumWidth);
        QVERIFY(layout.minimumWidth <= width);
    }

    // On two lines: the cursor entries and X − Y stay where one line puts them; the value at X and
    // the zoom window move together to the start of a second line; every control lies inside the
    // form, none over another, and the traces give up the second line's height.
    void aRowOnTwoLinesFitsTheForm_data()
    {
        QTest::addColumn<QString>("row");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::newRow("1920x1080 at factor 2") << "widened" << 958 << 446;
        QTest::newRow("one pixel short") << "widened" << 1028 << 600;
        QTest::newRow("template row at 914") << "template" << 914 << 380;
        QTest::newRow("template row at its narrowest") << "template" << 600 << 380;
        QTest::newRow("doubled font") << "doubled" << 1300 << 900;
    }
    void aRowOnTwoLinesFitsTheForm()
    {
        QFETCH(QString, row);
        QFETCH(int, width);
        QFETCH(int, height);
        const NeededWidths needed = NeededFor(row);
        const FormLayout layout = ComputeFormLayout(width, height, needed);
        const FormLayout oneLine = ComputeFormLayout(100000, height, needed);
        QCOMPARE(layout.infoLines, 2);
        QVERIFY(layout.minimumWidth <= width);

        // The traces give up the height of the second line, and the row ends inside the form.
        QCOMPARE(layout.rowHeight, (height - 60 - 25) / 16);
        QCOMPARE(layout.infoTop, 16 * layout.rowHeight + 10);
        QCOMPARE(Placement(layout, ids::kTraceFirst + 15).bottom() + 1, 16 * layout.rowHeight);
        QVERIFY(Placement(layout, ids::kTraceFirst + 15).bottom() < layout.stripTop);
        QCOMPARE(Placement(layout, ids::kInfoGroup, 1).height(), 55 + 25);

        const int y = layout.infoTop;
        const int firstLine = Placement(oneLine, ids::kEditX).y() - oneLine.infoTop;
        const int shift = 15 - Placement(oneLine, ids::kLabelXData).x();
        for (const int id : RowControls()) {
            const QRect one = Placement(oneLine, id).translated(0, y - oneLine.infoTop);
            const bool second = id == ids::kLabelXData || id == ids::kXPosData || id == ids::kWindowText;
            QCOMPARE(Placement(layout, id), second ? one.translated(shift, 25) : one);
            QVERIFY(Placement(layout, id).y() >= y + firstLine);
        }
        QCOMPARE(Placement(layout, ids::kLabelXData).x(), Placement(layout, ids::kLabelXPos).x());

        // Inside the form: left of the margin kept on the right, above the form's bottom. The
        // counters stay on their own line above the row; the right one keeps its text's room to
        // the form's edge (its rectangle, as the template has it, runs on past the edge).
        std::vector<int> shown = RowControls();
        shown.push_back(ids::kLeftPos);
        for (const int id : shown) {
            const QRect rect = Placement(layout, id);
            QVERIFY2(rect.left() >= 0 && rect.right() < width && rect.bottom() < height,
                     qPrintable(QStringLiteral("%1 at %2,%3 %4x%5 in %6x%7").arg(id).arg(rect.x()).arg(rect.y())
                                    .arg(rect.width()).arg(rect.height()).arg(width).arg(height)));
        }
        QVERIFY(layout.infoRight + 15 <= width);
        const int rightRoom = std::max(85, needed.count(ids::kRightPos) ? needed.at(ids::kRightPos) : 0);
        QCOMPARE(Placement(layout, ids::kRightPos).x(), width - rightRoom);
        QVERIFY(layout.stripLeft < layout.stripRight && layout.stripRight < width - rightRoom);
        shown.push_back(ids::kRightPos);

        // No two controls overlap, but where one line puts a label's rectangle under the next
        // control (only the label's slot shows), as much and no more.
        for (const int a : shown)
            for (const int b : shown) {
                if (a == b)
                    continue;
                const QRect both = Placement(layout, a).intersected(Placement(layout, b));
                const QRect template_ = Placement(oneLine, a).intersected(Placement(oneLine, b));
                QVERIFY2(both.isEmpty() || both.size() == template_.size(),
                         qPrintable(QStringLiteral("%1 and %2 overlap").arg(a).arg(b)));
            }
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
