#include "print/PageHairlines.h"

#include <QImage>
#include <QLineF>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <map>

namespace veldran {
namespace {

// The lightness the comparisons use: a red or blue stroke on white is darker than its sides.
int Lightness(QRgb colour)
{
    return qRed(colour) * 299 + qGreen(colour) * 587 + qBlue(colour) * 114;
}

// The pixel at (x, y) of a picture in Format_RGB32.
QRgb PixelAt(const QImage& picture, int x, int y)
{
    return reinterpret_cast<const QRgb*>(picture.constScanLine(y))[x];
}

// Whether the pixel at (x, y) is a thin part of a stroke: darker than both neighbours one step
// (dx, dy) away across the stroke, which lie inside the picture.
bool ThinAt(const QImage& picture, int x, int y, int dx, int dy)
{
    const int x0 = x - dx, y0 = y - dy, x1 = x + dx, y1 = y + dy;
    if (x0 < 0 || y0 < 0 || x1 >= picture.width() || y1 >= picture.height())
        return false;
    const int own = Lightness(PixelAt(picture, x, y));
    return own < Lightness(PixelAt(picture, x0, y0)) && own < Lightness(PixelAt(picture, x1, y1));
}

// The thin runs of one direction, in a picture in Format_RGB32: along the rows (horizontal) or
// down the columns.
void FindRuns(const QImage& picture, bool horizontal, std::vector<Hairline>& found)
{
    const int lines = horizontal ? picture.height() : picture.width();
    const int length = horizontal ? picture.width() : picture.height();
    const int dx = horizontal ? 0 : 1;
    const int dy = horizontal ? 1 : 0;
    const auto at = [horizontal](int line, int step) { return horizontal ? QPoint(step, line) : QPoint(line, step); };
    for (int line = 0; line < lines; ++line) {
        int start = -1;
        QRgb colour = 0;
        for (int step = 0; step <= length; ++step) {
            const QPoint p = at(line, step);
            const bool thin = step < length && ThinAt(picture, p.x(), p.y(), dx, dy);
            const QRgb here = thin ? PixelAt(picture, p.x(), p.y()) : 0;
            if (start >= 0 && (!thin || here != colour)) {
                if (step - start >= 2)
                    found.push_back({QLine(at(line, start), at(line, step - 1)), colour});
                start = -1;
            }
            if (thin && start < 0) {
                start = step;
                colour = here;
            }
        }
    }
}

} // namespace

std::vector<Hairline> FindHairlines(const QImage& picture)
{
    const QImage pixels = picture.convertToFormat(QImage::Format_RGB32);
    std::vector<Hairline> found;
    FindRuns(pixels, true, found);
    FindRuns(pixels, false, found);
    return found;
}

void DrawHairlines(QPainter& painter, const QImage& picture, const QRect& target)
{
    if (picture.isNull() || target.isEmpty())
        return;
    // Grouped by colour: one pen, one call for each.
    std::map<QRgb, std::vector<QLineF>> byColour;
    for (const Hairline& line : FindHairlines(picture))
        byColour[line.colour].emplace_back(QPointF(line.pixels.p1()) + QPointF(0.5, 0.5),
                                           QPointF(line.pixels.p2()) + QPointF(0.5, 0.5));
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(static_cast<double>(target.width()) / picture.width(),
                  static_cast<double>(target.height()) / picture.height());
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const auto& [colour, lines] : byColour) {
        QPen pen{QColor::fromRgb(colour)};
        pen.setCosmetic(true);
        pen.setWidth(0);
        pen.setCapStyle(Qt::SquareCap);
        painter.setPen(pen);
        painter.drawLines(lines.data(), static_cast<int>(lines.size()));
    }
    painter.restore();
}

} // namespace veldran
