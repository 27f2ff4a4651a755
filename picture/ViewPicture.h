#pragma once
// A picture of the view for reports: one cell's sixteen traces over a window of samples, with their
// names, a time (or sample) axis, the X and Y cursors with their values, the markers and the bus
// values at X. Drawn with any QPainter (an SVG generator, a PDF writer, an image), so the three
// file formats show the same thing; it needs no window and no widget.

#include "analysis/SampleStore.h"

#include <QColor>
#include <QString>

#include <array>
#include <cstdint>
#include <vector>

class QPainter;
class QSizeF;

namespace veldran {

struct ViewPictureMarker {
    int64_t nSample = 0;
    QString strLabel;
    QColor colour;
};

struct ViewPictureBus {
    QString strName;
    QString strValueAtX;
};

struct ViewPictureModel {
    SampleStore store;
    int nCell = 0;                  // 0..2: channels 16 × nCell … 16 × nCell + 15
    int64_t nFirst = 0;             // the samples shown, both ends included
    int64_t nLast = 0;
    std::array<QString, 16> names;  // the cell's channel names as the view shows them
    int64_t nX = 0;
    int64_t nY = 0;
    double dClockPeriod = 1.0;      // seconds a sample; 1.0 stands for the clock OFF
    std::vector<ViewPictureMarker> markers;
    std::vector<ViewPictureBus> buses;
};

// Draws the picture into a rectangle of `size` at the painter's origin.
void PaintViewPicture(QPainter& painter, const QSizeF& size, const ViewPictureModel& model);

} // namespace veldran
