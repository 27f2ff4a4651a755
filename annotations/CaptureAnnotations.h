#pragma once
// What a user adds to a capture, kept beside it in its sidecar file (SidecarFile.h): buses,
// markers, and sections this version does not know, kept line for line as they were read so that
// a file written by a later version loses nothing when this one saves it.

#include "annotations/Bus.h"
#include "annotations/Marker.h"
#include "resources/Message.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace veldran {

// A section of the sidecar file this version does not read: its name and its lines as they are
// (a line holds no line feed and ends in no carriage return; the writer starts a new line at any
// line feed and drops carriage returns at the end of a line).
struct ExtraSection {
    std::string strName;
    std::vector<std::string> lines;

    bool operator==(const ExtraSection& other) const { return strName == other.strName && lines == other.lines; }
    bool operator!=(const ExtraSection& other) const { return !(*this == other); }
};

struct CaptureAnnotations {
    std::vector<Bus> buses;
    std::vector<Marker> markers;
    std::vector<ExtraSection> extras;

    [[nodiscard]] bool Empty() const { return buses.empty() && markers.empty() && extras.empty(); }
    bool operator==(const CaptureAnnotations& other) const
    {
        return buses == other.buses && markers == other.markers && extras == other.extras;
    }
    bool operator!=(const CaptureAnnotations& other) const { return !(*this == other); }
};

// The most a capture's annotations may hold, so that a hostile sidecar file cannot take the
// program's memory: more is refused when written and when read.
inline constexpr size_t kMaxMarkers = 10000;
inline constexpr size_t kMaxBuses = 256;
inline constexpr size_t kMaxSidecarLineBytes = 65536;
inline constexpr size_t kMaxSidecarBytes = 16 * 1024 * 1024;

// The message that names the limits, for a refusal.
[[nodiscard]] Message AnnotationLimitsMessage();

} // namespace veldran
