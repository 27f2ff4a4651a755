#pragma once
// Where the controls of the timing-diagram form go for a given client size. Sixteen traces share
// the height above the information row; the information row keeps fixed x positions.

#include <QRect>

#include <utility>
#include <vector>

namespace veldran {

struct FormLayout {
    int rowHeight = 0;
    int infoTop = 0; // y of the information group box: 16 rows + 10
    // (control id, rectangle) in the order the controls are moved; the group box appears twice,
    // first 40 then 55 pixels high, as it is moved twice.
    std::vector<std::pair<int, QRect>> placements;
};

// The sixteenth of (height − 60), rounded half up.
[[nodiscard]] int FormRowHeight(int clientHeight);
[[nodiscard]] FormLayout ComputeFormLayout(int clientWidth, int clientHeight);

} // namespace veldran
