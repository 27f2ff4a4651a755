#pragma once
// One trace of the timing diagram: a framed box with the channel's name on the left and the
// channel's levels drawn as a square wave over the shown window of samples.

#include <QImage>
#include <QRect>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <functional>

class QPainter;

namespace veldran {

class CTraceStatic : public QWidget {
    Q_OBJECT
public:
    explicit CTraceStatic(QWidget* parent = nullptr);

    void SetWindow(int window, int cursor, int start, int end);
    [[nodiscard]] bool IsInWindow(int index) const { return m_nStart <= index && index < m_nEnd; }

    // What the trace shows: count samples, whose levels (0 or 1; anything else is not drawn) it
    // reads through level when it paints, so a capture's samples are never copied into it. The
    // reader stays in use until the next call.
    using LevelReader = std::function<uint8_t(int sample)>;
    void SetLevels(int count, LevelReader level);
    void ClearSamples() { SetLevels(0, {}); }
    [[nodiscard]] int SampleCount() const { return m_nSampleCount; }
    [[nodiscard]] uint8_t Level(int sample) const
    {
        return sample >= 0 && sample < m_nSampleCount && m_level ? m_level(sample) : 0;
    }

    void SetLabel(const QString& label);
    [[nodiscard]] const QString& Label() const { return m_strLabel; }
    // The selected channel's trace has its name on a highlight.
    void SetSelected(bool bSelected);
    [[nodiscard]] bool IsSelected() const { return m_bSelected; }

    // Draws the whole trace for a client area of the given size; used by the paint handler.
    void Paint(QPainter& painter, const QSize& client);

    // Width of the trace area (right − left of m_rcTrace); 0 before the first paint.
    [[nodiscard]] int TraceAreaWidth() const;
    // The trace area (exclusive right edge, as m_rcTrace) and the pixels per sample that the next
    // paint gives at the trace's present size: placed before the first paint, the cursors already
    // stand where the traces will be drawn.
    [[nodiscard]] QRect LaidOutTraceArea() const;
    [[nodiscard]] float LaidOutPixelsPerSample() const;
    // The x in the form of a line over a sample (a cursor's, a marker's), from the trace's layout
    // and the window it shows; left of the trace area for a sample before the window.
    [[nodiscard]] int SampleLineX(int index) const;

    float m_fPixelsPerSample = 0.0f;
    int m_nStart = 0;
    int m_nEnd = 0;
    int m_nMiddle = 0;
    int m_nWindow = 16;
    QRect m_rcTrace; // trace area; right() and bottom() are the exclusive edges

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // What the picture of the trace depends on besides its label and font (which clear it).
    struct PictureKey {
        int nStart = 0;
        int nEnd = 0;
        int nWindow = 0;
        QSize size;
        qreal dPixelRatio = 0;
        uint64_t nLevelsVersion = 0;
        bool operator==(const PictureKey& other) const
        {
            return nStart == other.nStart && nEnd == other.nEnd && nWindow == other.nWindow && size == other.size &&
                   dPixelRatio == other.dPixelRatio && nLevelsVersion == other.nLevelsVersion;
        }
    };

    // The framed box as Paint draws it, or an empty rectangle when Paint may draw outside the box
    // (then nothing is kept and every paint draws afresh).
    [[nodiscard]] QRect PictureBox() const;

    int m_nSampleCount = 0;
    LevelReader m_level;
    uint64_t m_nLevelsVersion = 0;
    QString m_strLabel;
    bool m_bSelected = false;
    // The box last painted, kept until its key changes: a repaint of the form (cursor moves, the
    // position bar) then copies it instead of drawing the square wave again.
    QImage m_picture;
    PictureKey m_pictureKey;
};

} // namespace veldran
