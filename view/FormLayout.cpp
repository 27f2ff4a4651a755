#include "view/FormLayout.h"

#include "resources/Ids.h"

#include <algorithm>
#include <iterator>

namespace veldran {

int FormRowHeight(int clientHeight)
{
    return static_cast<int>((clientHeight - 60) * 0.0625 + 0.5);
}

namespace {

// A control of the information row as the template places it: x, y offset from the group box,
// width and height. Listed from left to right.
struct RowControl {
    int id;
    int x;
    int dy;
    int width;
    int height;
};

constexpr RowControl kInfoRow[] = {
    {ids::kLabelXPos, 15, 25, 50, 20},  {ids::kEditX, 55, 22, 35, 20},        {ids::kSpinX, 90, 22, 15, 20},
    {ids::kLabelYPos, 115, 25, 50, 20}, {ids::kEditY, 155, 22, 35, 20},       {ids::kSpinY, 190, 22, 15, 20},
    {ids::kLabelXY, 215, 25, 50, 20},   {ids::kXYDistance, 250, 22, 65, 20},  {ids::kLabelXData, 330, 25, 120, 20},
    {ids::kXPosData, 415, 22, 370, 20}, {ids::kWindowText, 800, 22, 100, 20},
};

// The second line of a broken row starts with the value at X's label.
constexpr int kFirstOnSecondLine = ids::kLabelXData;
// The second line stands this far below the first: a control's height and a gap.
constexpr int kLinePitch = 25;
// The row starts this far from the form's left edge, and keeps as much free on its right.
constexpr int kRowMargin = kInfoRow[0].x;

constexpr int kLeftCounterX = 85;
constexpr int kLeftCounterWidth = 75;
constexpr int kRightCounterInset = 85; // from the form's right edge
constexpr int kRightCounterWidth = 100;
constexpr int kStripGap = 3;           // between the strip and the right counter

int Needed(const NeededWidths& needed, int id)
{
    const auto it = needed.find(id);
    return it == needed.end() ? 0 : it->second;
}

struct PlacedRow {
    std::vector<std::pair<int, QRect>> placements;
    int right = 0; // the right edge of the widest line
};

// The information row with its top at y, on one line or broken before kFirstOnSecondLine.
PlacedRow PlaceInfoRow(int y, const NeededWidths& needed, bool twoLines)
{
    PlacedRow row;
    // A control's slot runs to where the next one starts; where a label's template rectangle
    // reaches under the next control, only its slot shows. Growing a slot moves everything after
    // it on its line.
    int shift = 0;
    int lineTop = y;
    const int count = static_cast<int>(std::size(kInfoRow));
    for (int i = 0; i < count; ++i) {
        const RowControl& c = kInfoRow[i];
        if (twoLines && c.id == kFirstOnSecondLine) {
            shift = kRowMargin - c.x;
            lineTop = y + kLinePitch;
        }
        const bool endsLine = i + 1 == count || (twoLines && kInfoRow[i + 1].id == kFirstOnSecondLine);
        const int slot = endsLine ? c.width : kInfoRow[i + 1].x - c.x;
        const int shown = std::min(c.width, slot);
        const int want = Needed(needed, c.id);
        const int width = std::max(c.width, want);
        row.placements.emplace_back(c.id, QRect(c.x + shift, lineTop + c.dy, width, c.height));
        row.right = std::max(row.right, c.x + shift + width);
        shift += std::max(0, want - shown);
    }
    return row;
}

} // namespace

FormLayout ComputeFormLayout(int w, int h, const NeededWidths& needed)
{
    FormLayout layout;
    // The row goes on two lines only where it does not fit on one; the widths it needs do not
    // depend on its height, so it is measured before the traces are given theirs.
    const int oneLineRight = PlaceInfoRow(0, needed, false).right;
    const int twoLineRight = PlaceInfoRow(0, needed, true).right;
    const bool twoLines = oneLineRight + kRowMargin > w;
    layout.infoLines = twoLines ? 2 : 1;
    layout.extraHeight = twoLines ? kLinePitch : 0;
    layout.minimumWidth = twoLineRight + kRowMargin;

    // On two lines the rows round down, so that the second line never reaches past the bottom.
    const int r = twoLines ? std::max(0, h - 60 - layout.extraHeight) / 16 : FormRowHeight(h);
    const int s = 16 * r;
    const int y = s + 10;
    layout.rowHeight = r;
    layout.infoTop = y;
    auto& p = layout.placements;
    for (int k = 0; k < 16; ++k)
        p.emplace_back(ids::kTraceFirst + k, QRect(5, k * r, w - 10, r));

    const int leftWidth = std::max(kLeftCounterWidth, Needed(needed, ids::kLeftPos));
    const int rightRoom = std::max(kRightCounterInset, Needed(needed, ids::kRightPos));
    p.emplace_back(ids::kLeftPos, QRect(kLeftCounterX, s + 16, leftWidth, 16));
    p.emplace_back(ids::kRightPos, QRect(w - rightRoom, s + 16, std::max(kRightCounterWidth, rightRoom), 16));
    layout.stripLeft = kLeftCounterX + leftWidth;
    layout.stripRight = w - rightRoom - kStripGap;
    layout.stripTop = s + 16;

    p.emplace_back(ids::kInfoGroup, QRect(5, y, w - 10, 40));
    PlacedRow row = PlaceInfoRow(y, needed, twoLines);
    p.insert(p.end(), row.placements.begin(), row.placements.end());
    layout.infoRight = row.right;
    p.emplace_back(ids::kInfoGroup, QRect(5, y, w - 10, 55 + layout.extraHeight));
    // The cursor lines and labels are parked; the cursor markers place them at the next paint.
    for (int id : {ids::kXCursorLine, ids::kYCursorLine, ids::kYCursorLabel, ids::kXCursorLabel})
        p.emplace_back(id, QRect(-1, -1, 0, 0));
    return layout;
}

} // namespace veldran
