// Feeds arbitrary bytes to the sidecar reader, for a capture of 1000 samples. Whatever the bytes:
// - a file refused for damage or its limits gives no annotations at all, and its message;
// - what was read, written and read again is the same, with no message the second time (what did
//   not fit the capture was dropped and long labels were cut the first time);
// - what was read is within the limits the writer keeps, so saving it is never refused;
// - every bus the reader kept formats its values in its radix at any width.

#include "annotations/SidecarFormat.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

using namespace veldran;

constexpr int64_t kCaptureSamples = 1000;

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

bool Refused(const std::optional<Message>& message)
{
    return message && (message->id == text::kSidecarDamaged || message->id == text::kSidecarOverLimit);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const SidecarRead first = ParseSidecarText(bytes, kCaptureSamples, "fuzz.veldran");
    if (Refused(first.message)) {
        Require(first.annotations.Empty());
        return 0;
    }
    for (const Marker& marker : first.annotations.markers)
        Require(marker.nSample >= 0 && marker.nSample < kCaptureSamples && CodePointCount(marker.strLabel) <= kMaxLabelCodePoints);
    for (const Bus& bus : first.annotations.buses)
        Require(FormatBusValue(~uint64_t{0}, bus.Width(), bus.eRadix).size() <= static_cast<size_t>(bus.Width()) + 1); // "-1" at width 1

    const std::string text = SidecarText(first.annotations);
    Require(WithinSidecarLimits(first.annotations, text));
    const SidecarRead second = ParseSidecarText(text, kCaptureSamples, "fuzz.veldran");
    Require(!second.message);
    Require(second.annotations == first.annotations);
    Require(SidecarText(second.annotations) == text);
    return 0;
}
