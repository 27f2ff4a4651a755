#include "view/FormLayout.h"

#include "resources/Ids.h"

namespace veldran {

int FormRowHeight(int clientHeight)
{
    return static_cast<int>((clientHeight - 60) * 0.0625 + 0.5);
}

FormLayout ComputeFormLayout(int w, int h)
{
    FormLayout layout;
    const int r = FormRowHeight(h);
    const int s = 16 * r;
    const int y = s + 10;
    layout.rowHeight = r;
    layout.infoTop = y;
    auto& p = layout.placements;
    for (int k = 0; k < 16; ++k)
        p.emplace_back(ids::kTraceFirst + k, QRect(5, k * r, w - 10, r));
    p.emplace_back(ids::kLeftPos, QRect(85, s + 16, 75, 16));
    p.emplace_back(ids::kRightPos, QRect(w - 85, s + 16, 100, 16));
    p.emplace_back(ids::kInfoGroup, QRect(5, y, w - 10, 40));
    p.emplace_back(ids::kLabelXPos, QRect(15, y + 25, 50, 20));
    p.emplace_back(ids::kEditX, QRect(55, y + 22, 35, 20));
    p.emplace_back(ids::kSpinX, QRect(90, y + 22, 15, 20));
    p.emplace_back(ids::kLabelYPos, QRect(115, y + 25, 50, 20));
    p.emplace_back(ids::kEditY, QRect(155, y + 22, 35, 20));
    p.emplace_back(ids::kSpinY, QRect(190, y + 22, 15, 20));
    p.emplace_back(ids::kLabelXY, QRect(215, y + 25, 50, 20));
    p.emplace_back(ids::kXYDistance, QRect(250, y + 22, 65, 20));
    p.emplace_back(ids::kLabelXData, QRect(330, y + 25, 120, 20));
    p.emplace_back(ids::kXPosData, QRect(415, y + 22, 370, 20));
    p.emplace_back(ids::kWindowText, QRect(800, y + 22, 100, 20));
    p.emplace_back(ids::kInfoGroup, QRect(5, y, w - 10, 55));
    // The cursor lines and labels are parked; the cursor markers place them at the next paint.
    for (int id : {ids::kXCursorLine, ids::kYCursorLine, ids::kYCursorLabel, ids::kXCursorLabel})
        p.emplace_back(id, QRect(-1, -1, 0, 0));
    return layout;
}

} // namespace veldran
