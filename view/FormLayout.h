#pragma once
// Where the controls of the timing-diagram form go for a given client size. Sixteen traces share
// the height above the information row; the information row keeps fixed x positions.

#include <QRect>

#include <map>
#include <utility>
#include <vector>

namespace veldran {

struct FormLayout {
    int rowHeight = 0;
    int infoTop = 0; // y of the information group box: 16 rows + 10
    // (control id, rectangle) in the order the controls are moved; the group box appears twice,
    // first 40 then 55 pixels high, as it is moved twice.
    std::vector<std::pair<int, QRect>> placements;
    // The position strip between the two counters, left edge and exclusive right edge.
    int stripLeft = 0;
    int stripRight = 0;
    // The right edge of the information row; a narrower form would cut it off.
    int infoRight = 0;
};

// The width each control of the information row needs to show its widest text, by control id;
// controls not named keep their template width.
using NeededWidths = std::map<int, int>;

// The sixteenth of (height − 60), rounded half up.
[[nodiscard]] int FormRowHeight(int clientHeight);
// The template's positions and widths are minimums: a control that needs more room is widened and
// the controls to its right move along by as much, so the gaps between them stay. The right
// counter keeps to the form's right edge and grows to the left, the strip giving way.
[[nodiscard]] FormLayout ComputeFormLayout(int clientWidth, int clientHeight, const NeededWidths& needed = {});

} // namespace veldran
