#pragma once
// Where the controls of the timing-diagram form go for a given client size. Sixteen traces share
// the height above the information row; the information row keeps fixed x positions, and goes on
// two lines when the form is too narrow for it on one.

#include <QRect>

#include <map>
#include <utility>
#include <vector>

namespace veldran {

struct FormLayout {
    int rowHeight = 0;
    int infoTop = 0; // y of the information group box: 16 rows + 10
    // (control id, rectangle) in the order the controls are moved; the group box appears twice,
    // first 40 then 55 pixels high (more on two lines), as it is moved twice.
    std::vector<std::pair<int, QRect>> placements;
    // The position strip between the two counters, left edge and exclusive right edge, and its top.
    int stripLeft = 0;
    int stripRight = 0;
    int stripTop = 0;
    // The right edge of the information row as placed.
    int infoRight = 0;
    // 1, or 2 when the row is broken after the X − Y readout; the second line's height comes out
    // of the traces.
    int infoLines = 1;
    // The height the row's lines take beyond the one line of the template.
    int extraHeight = 0;
    // The narrowest client width that shows the row whole (on two lines, with the margin kept on
    // its right as on its left); a narrower form would cut it off.
    int minimumWidth = 0;
};

// The width each control of the information row needs to show its widest text, by control id;
// controls not named keep their template width.
using NeededWidths = std::map<int, int>;

// The sixteenth of (height − 60), rounded half up.
[[nodiscard]] int FormRowHeight(int clientHeight);
// The template's positions and widths are minimums: a control that needs more room is widened and
// the controls to its right move along by as much, so the gaps between them stay. The right
// counter keeps to the form's right edge and grows to the left, the strip giving way.
// Where the widened row and its right margin do not fit the client width, the row goes on two
// lines: the cursor entries and X − Y on the first, the value at X and the zoom window on the
// second, which starts where the first does; the traces give up the second line's height.
[[nodiscard]] FormLayout ComputeFormLayout(int clientWidth, int clientHeight, const NeededWidths& needed = {});

} // namespace veldran
