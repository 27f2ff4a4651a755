#pragma once
// The fixed zoom windows and the rule that places a window around a sample index.

namespace veldran {

struct SampleWindow {
    int start = 0;
    int end = 0; // one past the last shown sample
    bool operator==(const SampleWindow& o) const { return start == o.start && end == o.end; }
};

// Centres a window of w samples on x, clamped at both ends of the capture. heldSamples is the
// number of samples the traces hold, sampleCount the capture's count.
[[nodiscard]] SampleWindow PlaceWindow(int x, int w, int heldSamples, int sampleCount);

// The next smaller (Expand) or larger (Contract) window of 16, 64, 256, 1023; 0 when there is none.
[[nodiscard]] int ExpandedWindow(int window);
[[nodiscard]] int ContractedWindow(int window);

} // namespace veldran
