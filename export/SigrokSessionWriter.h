#pragma once
// The capture as a sigrok session file (".sr"), the zip archive PulseView and sigrok-cli open:
// "version" ("2"), "metadata" (an INI text naming the 48 probes, the sample rate (a nominal 1 Hz,
// said in a comment, when the clock is OFF), 6 bytes per sample) and the samples in chunks
// "logic-1-1", "logic-1-2", …, each sample 6 bytes with channel ch at bit ch % 8 of byte ch / 8.

#include "export/ExportCapture.h"

#include <optional>
#include <string>
#include <vector>

namespace veldran {

inline constexpr int kSigrokUnitSize = 6;

// The metadata text.
[[nodiscard]] std::string SigrokMetadata(const ExportableCapture& capture);

// One file of the archive.
struct SigrokEntry {
    std::string name;
    std::string bytes;
};

// The archive's files in order: "version", "metadata", "logic-1-1", …
[[nodiscard]] std::vector<SigrokEntry> SigrokSessionEntries(const ExportableCapture& capture);

// The bytes of the archive (its files deflated); nothing, with the reason in *error, when the zip library fails.
[[nodiscard]] std::optional<std::string> SigrokSessionBytes(const ExportableCapture& capture, std::string* error);

// A value as the metadata's key file reads it back unchanged: a backslash, a line break, a tab
// and blanks at either end written as escapes.
[[nodiscard]] std::string KeyFileValue(const std::string& text);

} // namespace veldran
