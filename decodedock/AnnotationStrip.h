#pragma once
// The decoded annotations of the window shown, drawn as a strip of boxes under the traces: one lane
// per annotation row, each box from its start to its end sample with as much of its text as fits
// (the shorter forms a decoder gives are tried when the longest does not). The strip lines up with
// the form's time axis by reading where the first trace draws its samples.

#include "decode/AnnotationStore.h"

#include <QWidget>

#include <memory>
#include <vector>

namespace veldran {

class CTraceStatic;
struct DecodeOutcome;

class AnnotationStrip : public QWidget {
    Q_OBJECT
public:
    AnnotationStrip(const CTraceStatic& timeAxis, QWidget* parent = nullptr);

    void SetOutcome(std::shared_ptr<const DecodeOutcome> outcome);
    // The lanes: one for each (decoder, row) that holds annotations.
    [[nodiscard]] int LaneCount() const { return static_cast<int>(m_lanes.size()); }
    // The x of a sample's left edge in the strip, as the trace draws it.
    [[nodiscard]] double SampleX(int64_t sample) const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Lane {
        int nDecoder = 0;
        int nRow = -1;
    };
    [[nodiscard]] int LaneOf(const DecodedAnnotation& annotation) const;

    const CTraceStatic& m_timeAxis;
    std::shared_ptr<const DecodeOutcome> m_outcome;
    std::vector<Lane> m_lanes;
};

} // namespace veldran
