#pragma once
// The sides a picture of the view may have, in pixels (PNG, SVG) or points (PDF). Qt-free, so
// that a command line is checked without Qt.

namespace veldran {

inline constexpr int kPictureMinSide = 64;
inline constexpr int kPictureMaxSide = 16384;

} // namespace veldran
