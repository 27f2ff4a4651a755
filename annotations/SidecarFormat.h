#pragma once
// The text of a sidecar file (docs/SIDECAR.md describes it for users):
//
//   veldran-annotations 1
//   bus<TAB>NAME<TAB>RADIX<TAB>D15,D14,…
//   marker<TAB>SAMPLE<TAB>#RRGGBB<TAB>LABEL<TAB>NOTE
//   section<TAB>NAME
//   <TAB>a line of that section, as it is
//
// UTF-8, one record a line, lines ending in LF (CRs before it are ignored), empty lines ignored.
// NAME, LABEL and NOTE escape a backslash, line feed, carriage return and tab as \\, \n, \r, \t.
// Channels are always written D0 … D47, so that renaming a channel leaves its buses alone. A
// section's lines are the lines that begin with a tab after its section record.
//
// Reading is all or nothing for damage: a first line that is not the header, a line that is none
// of the records above, or a file beyond the limits of CaptureAnnotations.h gives nothing but one
// message naming the line. A well-formed file whose marker lies past the capture's end or whose
// bus names a channel the capture does not have (D48) keeps the rest; one message says what was
// dropped. Labels longer than 64 code points are cut, and the message says so too.

#include "annotations/CaptureAnnotations.h"
#include "resources/Message.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace veldran {

inline constexpr const char* kSidecarHeader = "veldran-annotations 1";

struct SidecarRead {
    CaptureAnnotations annotations;
    std::optional<Message> message; // the one report of damage, a refusal or what was dropped
};

// The annotations of a file's bytes, for a capture of sampleCount samples; path names the file in
// the message.
[[nodiscard]] SidecarRead ParseSidecarText(std::string_view bytes, int64_t sampleCount, const std::string& path);

// The file's bytes. Annotations beyond the limits are not refused here: see CheckSidecarLimits.
[[nodiscard]] std::string SidecarText(const CaptureAnnotations& annotations);

// Whether the annotations, written as text, read back as they are: false when a count, a note, a
// line or the whole exceeds its limit, a marker's sample is negative, or a bus has no channel, a
// channel outside D0 … D47 or one channel twice.
[[nodiscard]] bool WithinSidecarLimits(const CaptureAnnotations& annotations, std::string_view text);

} // namespace veldran
