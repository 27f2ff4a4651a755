#pragma once
// The capture file (".vxr"): a header line carrying the sample count, the listing's tokens one per
// line, and the 48 channel names in the Korean code page. The writer and the reader work on bytes;
// the file functions around them add the file system and report its errors to the user.

#include "document/CaptureDocument.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace veldran {

using ChannelNames = std::array<std::string, kChannelCount>;

// The largest sample count a capture file may claim. The instrument numbers its listing lines with
// four digits and earlier readers took at most 99,999; a header above this is not taken for a
// capture, so a few damaged bytes cannot make a small file claim gigabytes of samples.
constexpr int kMaxCaptureSamples = 1'000'000;

enum class LoadResult {
    Loaded,         // tokens, samples and names replaced; m_bDataReady set
    EmptyFile,      // first line empty: only the token list was emptied, no message
    NotCaptureData, // count missing, zero, negative or too large: message shown, nothing allocated
};

// The bytes of the capture file for the document's token list and the given working channel names
// (UTF-8). A token list holding no whole sample after its header, or more samples than a file may
// claim, is refused with a message (nullopt), so no file is written that would not open again.
[[nodiscard]] std::optional<std::string> WriteCapture(const CVELDRANDoc& doc, const ChannelNames& names);

// Reads a capture file's bytes into the document (token list, count, store, names, data-ready).
LoadResult ReadCapture(CVELDRANDoc& doc, std::string_view bytes);

// Writes to a temporary file beside path that replaces path only once it is complete. false when
// the save was refused or failed; the user has been told why and any earlier file is untouched.
[[nodiscard]] bool SaveCaptureFile(const CVELDRANDoc& doc, const ChannelNames& names, const std::string& path);

// Reads the whole file before touching the document. false (with a message naming the file) when
// the file cannot be read; true otherwise, also when its content was refused as not a capture.
[[nodiscard]] bool LoadCaptureFile(CVELDRANDoc& doc, const std::string& path, LoadResult* result = nullptr);

} // namespace veldran
