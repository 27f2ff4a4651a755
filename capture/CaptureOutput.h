#pragma once
// Where a received capture goes: the channel names it is written with and the file itself, in
// the format its extension names. Every file is written to a temporary file beside it that
// replaces it only when complete, so an interrupted run leaves the old file (or none).

#include "capture/CaptureOptions.h"
#include "document/CaptureFile.h"

#include <cstdio>
#include <string>
#include <vector>

namespace veldran {

// The names a new capture gets in the window until the user renames them.
[[nodiscard]] ChannelNames DefaultChannelNames();

// The 48 names of an earlier capture file. False with the reason in error. What the capture reader
// said about the file, failed or not, is added to *reported (if given), to be printed first.
[[nodiscard]] bool LoadChannelNames(const std::string& path, ChannelNames& names, std::string& error,
                                    std::vector<Message>* reported = nullptr);

// Whether a file can be created where path points (its folder exists and may be written), so the
// user learns of a wrong path before pressing STATE. False with the reason in error.
[[nodiscard]] bool CheckOutputFolder(const std::string& path, std::string& error);

// Writes the parsed capture, timed by the clock period where the format has a time base (a .vxr
// keeps none). False when it could not be written, with the reason in error.
[[nodiscard]] bool WriteCaptureOutput(const CVELDRANDoc& doc, const ChannelNames& names, ECaptureFormat format,
                                      const std::string& path, std::string& error,
                                      std::optional<uint64_t> nClockFs = std::nullopt);

// Prints each message in the program's language (i18n/CliText.h) on stderr-like out, after the
// program's name.
void PrintMessages(std::FILE* out, const std::vector<Message>& messages);

} // namespace veldran
