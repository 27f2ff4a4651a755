#pragma once
// The capture the bus tests read: D7 high in the first 3 of every 10 samples, D6 and D5 always
// high, D0 the bytes of "VELDRAN" one bit a sample (most significant bit first), every other
// channel low. DATA=D7..D0 is then 0x60 | D7 << 7 | D0: "`", "a" or two bytes past 0x7F.

#include "tests/view/CaptureFixture.h"

#include "annotations/BusDefinition.h"

#include <QTest>

#include <string_view>
#include <variant>

namespace veldran::test {

inline int BusCaptureLevel(int sample, int channel)
{
    static constexpr std::string_view kStream = "VELDRAN";
    switch (channel) {
    case 7: return sample % 10 < 3 ? 1 : 0;
    case 6:
    case 5: return 1;
    case 0: return (kStream[static_cast<size_t>(sample / 8) % kStream.size()] >> (7 - sample % 8)) & 1;
    default: return 0;
    }
}

// A bus as the user types it, over the names the fixture gives the channels.
inline Bus TypedBus(std::string_view definition, ERadix radix)
{
    ChannelNames names;
    auto parsed = ParseBusDefinition(definition, names);
    if (!std::holds_alternative<Bus>(parsed))
        qFatal("the bus definition was refused");
    Bus bus = std::get<Bus>(parsed);
    bus.eRadix = radix;
    return bus;
}

} // namespace veldran::test
