#pragma once
// The X and Y cursor lines over the traces and their labels under them. The Y line is set apart
// from the X line by a softer colour; clicks go through all four to the form.

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

    // Where the markers stand: the cursors' x in the form, whether Y falls in the window, the
    // labels' texts and width, and the top of the information row (the lines end above it).
    struct Placement {
        int xPixel = 0;
        int yPixel = 0;
        bool yShown = false;
        QString xText;
        QString yText;
        int labelWidth = 0;
        int infoTop = 0;
    };
    void Place(const Placement& placement);
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
