#pragma once
// Channel names as the exported files carry them. Names arrive as the user typed them; each format
// has its own limits (a value change dump takes single ASCII words only), so the writers get them
// from here.

#include "export/ExportCapture.h"

#include <array>
#include <string>
#include <vector>

namespace veldran {

using ExportNames = std::array<std::string, kExportChannelCount>;

// "CH A00" … "CH C15": what a channel without a name is called (cell letter, bit number).
[[nodiscard]] std::string ChannelLabel(int channel);

// The names as written where the format keeps UTF-8 text (CSV, sigrok session): bytes that are not
// UTF-8 become U+FFFD, and a name that is empty or blank becomes the channel's label.
[[nodiscard]] ExportNames TextNames(const ExportableCapture& capture);

// The buses' names as VCD references, made as the channels' are ("bus" when nothing is left) and
// kept apart from the channels' names (vcdNames) and from each other by the same suffixes.
[[nodiscard]] std::vector<std::string> BusVcdNames(const std::vector<Bus>& buses, const ExportNames& vcdNames);

// The names as VCD references: letters, digits and '_' only (every run of other characters becomes
// one '_', none at either end), the channel's label so written when nothing is left, and a suffix
// "_2", "_3" … where two channels would otherwise share a name.
[[nodiscard]] ExportNames VcdNames(const ExportNames& textNames);

// A name as ASCII text for a VCD comment, in double quotes (GTKWave reads a byte beyond ASCII
// anywhere in a dump as its end): '"' and '\\' after a backslash, '$' and control characters as
// \xHH, characters beyond ASCII as \uXXXX (\UXXXXXXXX above U+FFFF), bytes that are not UTF-8 as
// \xHH.
[[nodiscard]] std::string VcdCommentName(const std::string& name);

// A name as a GTKWave save file gives it as a trace's alias ("+{alias} scope.wire"), where the
// first '}' ends it and a line break ends the line: '}' becomes U+FF5D '｝', control characters
// become blanks, and the rest, UTF-8, stays as it is.
[[nodiscard]] std::string GtkwAlias(const std::string& textName);

// The short identifier code of a channel in a VCD: one printable character, never '#' or '$'.
[[nodiscard]] char VcdIdentifier(int channel);
// The identifier code of the bus with that index: '~' and its number, never a channel's.
[[nodiscard]] std::string VcdBusIdentifier(size_t bus);

} // namespace veldran
