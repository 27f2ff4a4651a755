#pragma once
// The one-pixel strokes of a snapshot (the traces' levels and edges, the frames, the cursor lines)
// drawn again over the stretched picture as hairlines. A picture scaled down without smoothing
// keeps only the rows and columns its samples fall on, so the print preview, which shows the page
// smaller than the printer's pixels, would drop most of them; a cosmetic pen is one device pixel
// wide at every scale, so each stroke shows at every zoom. On the printer each hairline lies inside
// its own, wider, stretched pixels in their colour, so the printed page looks as before.

#include <QColor>
#include <QLine>
#include <QRect>

#include <vector>

class QImage;
class QPainter;

namespace veldran {

// A stroke one pixel thick, from its first to its last pixel, in picture pixels.
struct Hairline {
    QLine pixels;
    QRgb colour = 0;
};

// The strokes one pixel thick, at least two long, darker than the pixels on both sides of them:
// horizontal runs with lighter rows above and below, vertical runs with lighter columns beside.
[[nodiscard]] std::vector<Hairline> FindHairlines(const QImage& picture);

// Draws the picture's hairlines with cosmetic pens, the picture stretched into target.
void DrawHairlines(QPainter& painter, const QImage& picture, const QRect& target);

} // namespace veldran
