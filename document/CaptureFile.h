#pragma once
// The capture file (".vxr"): a header line carrying the sample count, the listing's tokens one per
// line, and the 48 channel names in the Korean code page. The writer and the reader work on bytes;
// the file functions around them add the file system. None of them shows anything: they return what
// the user is to be told, and the caller shows it.

#include "document/CaptureDocument.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veldran {

// The largest sample count a capture file may claim. The instrument numbers its listing lines with
// four digits and earlier readers took at most 99,999; a header above this is not taken for a
// capture, so a few damaged bytes cannot make a small file claim gigabytes of samples.
constexpr int kMaxCaptureSamples = 1'000'000;

enum class LoadResult {
    Loaded,         // tokens, samples and names replaced; the capture is ready to show
    EmptyFile,      // first line empty: only the token list was emptied, no message
    NotCaptureData, // count missing, zero, negative or too large: a message, nothing allocated
};

// What reading a capture did, with the messages for the user in the order they are to be shown (a
// file that loads with a warning has one, a file that cannot be read names itself in one).
struct CaptureLoad {
    bool bRead = false; // false: the file could not be read; the document is untouched
    LoadResult result = LoadResult::EmptyFile;
    std::vector<Message> messages;
    explicit operator bool() const { return bRead; }
};

// What saving a capture did: saved, or refused or failed with the message that says why.
struct CaptureSave {
    bool bSaved = false;
    std::vector<Message> messages;
    explicit operator bool() const { return bSaved; }
};

// The bytes of the capture file for the document's token list and the given working channel names
// (UTF-8). A token list holding no whole sample after its header, or more samples than a file may
// claim, is refused (nullopt, and *refusal says why), so no file is written that would not open
// again.
[[nodiscard]] std::optional<std::string> WriteCapture(const CVELDRANDoc& doc, const ChannelNames& names,
                                                      Message* refusal = nullptr);

// Reads a capture file's bytes into the document (token list, count, store, names, data-ready).
[[nodiscard]] CaptureLoad ReadCapture(CVELDRANDoc& doc, std::string_view bytes);

// Writes to a temporary file beside path that replaces path only once it is complete. Not saved
// when the save was refused or failed: the message says why, and any earlier file is untouched.
[[nodiscard]] CaptureSave SaveCaptureFile(const CVELDRANDoc& doc, const ChannelNames& names, const std::string& path);

// Reads the whole file before touching the document. Not read (with a message naming the file)
// when the file cannot be read; read otherwise, also when its content was refused as not a capture.
[[nodiscard]] CaptureLoad LoadCaptureFile(CVELDRANDoc& doc, const std::string& path);

} // namespace veldran
