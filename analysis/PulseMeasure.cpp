#include "analysis/PulseMeasure.h"

#include "analysis/Edges.h"

namespace veldran {

PulseMeasure MeasureAt(const SampleStore& store, int channel, int64_t x)
{
    PulseMeasure measure;
    measure.nLevel = store.Level(x, channel);
    const uint64_t bit = ChannelBit(channel);
    const std::optional<int64_t> e0 = PreviousEdge(store, bit, x + 1);
    const std::optional<int64_t> e1 = NextEdge(store, bit, x);
    const std::optional<int64_t> e2 = e1 ? NextEdge(store, bit, *e1) : std::nullopt;
    if (e0 && e1)
        measure.width = *e1 - *e0;
    if (e0 && e2) {
        measure.period = *e2 - *e0;
        const int64_t high = measure.nLevel ? *e1 - *e0 : *e2 - *e1;
        measure.duty = static_cast<double>(high) / static_cast<double>(*measure.period);
    }
    return measure;
}

} // namespace veldran
