#include "decode/DecodeRequest.h"

#include <cmath>

namespace veldran {

std::optional<uint64_t> DecodeClockFs(double periodSeconds)
{
    // The option bar's 1.0 s is its OFF; a period of a second or more is not one of its clocks.
    if (!(periodSeconds > 0.0) || periodSeconds >= 1.0)
        return std::nullopt;
    return static_cast<uint64_t>(std::llround(periodSeconds * 1e15));
}

} // namespace veldran
