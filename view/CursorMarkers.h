#pragma once
// The X and Y cursor lines over the traces and their labels under them. The Y line is set apart
// from the X line by a softer colour; clicks go through all four to the form.

#include <QRect>
#include <QString>

#include <functional>

class QFrame;
class QLabel;
class QWidget;

namespace veldran {

class CursorMarkers {
public:
    // Creates the lines and labels on the form; each is handed to addControl with its control id.
    CursorMarkers(QWidget* form, const std::function<void(int, QWidget*)>& addControl);

    // Where the markers stand: the cursors' samples and x in the form, whether Y falls in the
    // window, the labels' texts and width, the trace area's left and exclusive right edge in the
    // form (none before the markers are first placed), and the top of the information row (the
    // lines end above it).
    struct Placement {
        int xIndex = 0;
        int yIndex = 0;
        int xPixel = 0;
        int yPixel = 0;
        bool yShown = false;
        // The window scrolled away from the X cursor (the mouse wheel) hides its line and label.
        bool xShown = true;
        QString xText;
        QString yText;
        int labelWidth = 0;
        int areaLeft = 0;
        int areaRight = 0;
        int infoTop = 0;
    };
    void Place(const Placement& placement);

    // The labels' rectangles. Each is centred under its line and kept inside the trace area; two
    // cursors on one sample share one place (the Y label reads "XY=" there). Cursors on different
    // samples whose labels would meet get them side by side, the left cursor's on the left, as
    // near their lines as the area allows, so neither hides the other.
    struct LabelRects {
        QRect x;
        QRect y;
    };
    [[nodiscard]] static LabelRects LabelPlaces(const Placement& placement);
    // Keeps the markers visible above the traces (siblings clip each other in stacking order).
    void Raise();
    [[nodiscard]] const QLabel& XLabel() const { return *m_xLabel; }

private:
    QFrame* m_xLine = nullptr;
    QFrame* m_yLine = nullptr;
    QLabel* m_xLabel = nullptr;
    QLabel* m_yLabel = nullptr;
};

} // namespace veldran
