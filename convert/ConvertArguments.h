#pragma once
// The command line of veldran-convert, read without touching any file.

#include "export/ExportCapture.h"
#include "i18n/CliOptions.h"
#include "picture/PictureLimits.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace veldran {

// What a picture of the view shows and its size; the samples are checked against the capture
// once it is read.
struct PictureRequest {
    std::string strFormat;          // "svg", "png" or "pdf"
    int nCell = 0;                  // 0..2 (given as 1..3, as the window names the cells)
    std::optional<int64_t> nFrom;   // first sample; nothing: 0
    std::optional<int64_t> nTo;     // last sample, included; nothing: a window's width on from nFrom
    int nWidth = 1600;
    int nHeight = 900;
};

// The most samples one picture shows.
inline constexpr int64_t kPictureMaxSamples = 16384;

struct ConvertArguments {
    CliCommon common; // the file names are its words
    std::string strInput;
    std::string strOutput;
    ExportFormat format = ExportFormat::Vcd;
    std::optional<PictureRequest> picture; // an .svg, .png or .pdf output: a picture, not an export
    std::optional<uint64_t> nClockFs; // nothing: clock OFF
    std::string strError;             // non-empty: the command line is wrong, and why (in the program's language)
};

// Reads the arguments after the program name.
[[nodiscard]] ConvertArguments ParseConvertArguments(const std::vector<std::string>& args);

// The manual page printed by --help.
[[nodiscard]] std::string ConvertManual();

} // namespace veldran
