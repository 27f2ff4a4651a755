#pragma once
// A marker a user puts on a sample: a short label, a note of any length up to a limit (it may hold
// line breaks) and a colour. Labels count UTF-8 code points; a label or a note beyond its limit is
// refused here (a file that holds a longer label has it cut when read, see SidecarFormat.h).

#include "resources/Message.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace veldran {

inline constexpr size_t kMaxLabelCodePoints = 64;
inline constexpr size_t kMaxNoteBytes = 16384;

struct Marker {
    int64_t nSample = 0;
    std::string strLabel;
    std::string strNote;
    uint32_t nColour = 0xFF0000; // 0xRRGGBB

    bool operator==(const Marker& other) const
    {
        return nSample == other.nSample && strLabel == other.strLabel && strNote == other.strNote &&
               nColour == other.nColour;
    }
    bool operator!=(const Marker& other) const { return !(*this == other); }
};

// Sets the label, or leaves the marker as it is and tells why not (longer than 64 code points).
[[nodiscard]] std::optional<Message> SetMarkerLabel(Marker& marker, std::string label);
// Sets the note, or leaves the marker as it is and tells why not (longer than kMaxNoteBytes).
[[nodiscard]] std::optional<Message> SetMarkerNote(Marker& marker, std::string note);

// How many code points a UTF-8 text holds (every byte that does not continue a sequence counts).
[[nodiscard]] size_t CodePointCount(std::string_view text);
// The text's first `count` code points.
[[nodiscard]] std::string_view FirstCodePoints(std::string_view text, size_t count);

// "#RRGGBB", upper-case; and back, either case, exactly seven characters.
[[nodiscard]] std::string ColourText(uint32_t colour);
[[nodiscard]] std::optional<uint32_t> ParseColour(std::string_view text);

} // namespace veldran
