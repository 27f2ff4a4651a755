#pragma once
// Export of a capture to the formats other logic-analysis tools read: a value change dump (with a
// GTKWave save file beside it), comma-separated values, and a sigrok session. This is the one entry
// point callers need; it uses no Qt.
//
//   veldran::ExportableCapture capture;
//   capture.nSampleCount = doc.ReadableSampleCount();
//   capture.pSamples = doc.Samples().data();           // 48 bytes per sample, each 0 or 1
//   capture.strNames = names;                          // 48 UTF-8 names, channel order
//   capture.dClockPeriod = 40e-9;                      // seconds per sample; std::nullopt: clock OFF
//   capture.annotations = session.Annotations();       // optional: buses and markers for the VCD
//   const auto format = veldran::ExportFormatFromPath(path);   // from ".vcd", ".csv" or ".sr"
//   const veldran::ExportResult result = veldran::ExportCapture(path, *format, capture);
//   if (!result)
//       report(result.strError);                       // one line, names the file and the cause
//   // or, for a window: ShowAppMessage(result.message) (the program's text, then that line)
//
// The file is written to a temporary file in the target's folder that replaces the target only once
// it is complete, so a failed export leaves neither a partial file nor a damaged earlier one.

#include "annotations/CaptureAnnotations.h"
#include "resources/Message.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veldran {

constexpr int kExportChannelCount = 48;

struct ExportableCapture {
    int nSampleCount = 0;
    // nSampleCount × 48 bytes: byte i × 48 + ch is the level of channel ch in sample i. Any non-zero
    // byte counts as high. Not owned; must stay valid during the export.
    const uint8_t* pSamples = nullptr;
    // UTF-8; an empty name is written as the channel's label ("CH A00" … "CH C15").
    std::array<std::string, kExportChannelCount> strNames;
    // Seconds per sample; std::nullopt when the clock is OFF (samples are then numbered, not timed).
    std::optional<double> dClockPeriod;
    // What the user added: the VCD carries each bus as a vector beside the wires, and its save file
    // groups the buses and shows the markers. The other formats leave them out.
    CaptureAnnotations annotations;
};

enum class ExportFormat {
    Vcd,           // ".vcd", plus the GTKWave save file ".gtkw" beside it
    Csv,           // ".csv"
    SigrokSession, // ".sr"
};

struct ExportResult {
    bool bOk = false;
    std::string strError; // empty on success
    Message message;      // on failure: the program's "cannot export" text, then strError
    explicit operator bool() const { return bOk; }
};

// Writes the capture to path in the given format. The VCD export also writes the GTKWave save file
// (path with its suffix replaced by ".gtkw"); both replace their targets only when both are written.
[[nodiscard]] ExportResult ExportCapture(const std::string& path, ExportFormat format, const ExportableCapture& capture);

// The files an export to path writes: path, and for VCD the GTKWave save file beside it.
[[nodiscard]] std::vector<std::string> ExportFilePaths(const std::string& path, ExportFormat format);

// The format a file name asks for by its suffix (case-insensitive); nothing for any other suffix.
[[nodiscard]] std::optional<ExportFormat> ExportFormatFromPath(std::string_view path);
// The format named "vcd", "csv" or "sr" (case-insensitive), as a command line gives it.
[[nodiscard]] std::optional<ExportFormat> ExportFormatFromName(std::string_view name);
// ".vcd", ".csv" or ".sr".
[[nodiscard]] const char* ExportSuffix(ExportFormat format);

// The samples and names are checked before anything is written: a count below 1 or above one
// million, a missing store, or a clock period that is not a positive, finite number of seconds
// (at least 1 fs), or a bus without channels, with one outside D0 … D47 or with one twice gives the
// reason; an empty string when the capture can be exported.
[[nodiscard]] std::string CheckExportable(const ExportableCapture& capture);

} // namespace veldran
