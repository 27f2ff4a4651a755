#pragma once
// The position strip between the two counters: a box for the whole capture with a smaller box for
// the samples shown, and the mark that shows where the form is being scrolled to.

#include <QRect>

class QPainter;

namespace veldran {

class PositionStrip {
public:
    struct Values {
        int first = 0; // first sample shown
        int last = 0;  // last sample shown
        int total = 1; // samples in the capture, at least one
    };
    // The window start and end (exclusive) of the traces, and the capture's count.
    [[nodiscard]] static Values Of(int windowStart, int windowEnd, int sampleCount);

    void SetPlace(int left, int top, int right);
    [[nodiscard]] QRect Rect() const;
    // The next paint draws a mark at x (once).
    void MarkScroll(int x) { m_nScrollMark = x; }
    void Draw(QPainter& painter, const Values& values, int formHeight);

private:
    int m_nStripLeft = 160;
    int m_nStripTop = 0;
    int m_nStripRight = 0;
    int m_nScrollMark = -1;
};

} // namespace veldran
