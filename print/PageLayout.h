#pragma once
// Where the printed page puts its parts, in device pixels of the printable area: the snapshot in
// 5 % margins on every side, the header line in the top margin, and the centre at which the
// processing text is written while the snapshot is converted.

namespace veldran {

struct PageLayout {
    int nX0 = 0;      // left edge of the picture and of the header line
    int nY0 = 0;      // top edge of the picture
    int nWidth = 0;   // picture width: 90 % of the page
    int nHeight = 0;  // picture height: 90 % of the page
    int nHeaderY = 0; // top of the header line, halfway down the top margin
    int nCentreX = 0;
    int nCentreY = 0;
};

// Each value is computed in double precision and truncated toward zero.
[[nodiscard]] PageLayout LayOutPage(int nPageWidth, int nPageHeight);

} // namespace veldran
