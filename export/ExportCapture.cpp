#include "export/ExportCapture.h"

#include "files/FileWriter.h"
#include "export/CsvWriter.h"
#include "export/ExportTime.h"
#include "export/SigrokSessionWriter.h"
#include "export/VcdWriter.h"

#include <cctype>
#include <climits>
#include <cstdlib>
#include <functional>
#include <unistd.h>

namespace veldran {
namespace {

constexpr int kMaxExportSamples = 1'000'000;

ExportResult Failed(const std::string& error)
{
    return {false, error, Message(text::kCannotExport, {error})};
}

ExportResult Failure(const std::string& path, const std::string& cause)
{
    return Failed(path + ": " + cause);
}

std::string Lower(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string AbsolutePath(const std::string& path)
{
    if (!path.empty() && path.front() == '/')
        return path;
    char* cwd = ::getcwd(nullptr, 0);
    if (!cwd)
        return path;
    std::string absolute = std::string(cwd) + "/" + path;
    std::free(cwd);
    return absolute;
}

std::string GtkwPathFor(const std::string& vcdPath)
{
    const size_t slash = vcdPath.find_last_of('/');
    const size_t dot = vcdPath.find_last_of('.');
    const bool hasSuffix = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return (hasSuffix ? vcdPath.substr(0, dot) : vcdPath) + ".gtkw";
}

// Writes one text through a temporary file; the caller commits.
int WriteText(CFileWriter& file, const std::string& path, const std::function<void(ExportOutput&)>& write)
{
    if (const int error = file.Create(path))
        return error;
    ExportOutput output([&file](std::string_view piece) { file.Append(piece); });
    write(output);
    return file.Error();
}

ExportResult ExportVcd(const std::string& path, const ExportableCapture& capture)
{
    if (const std::string problem = CheckVcdTimes(capture); !problem.empty())
        return Failure(path, problem);
    const std::string savePath = GtkwPathFor(path);
    CFileWriter vcd;
    if (const int error = WriteText(vcd, path, [&](ExportOutput& out) { WriteVcd(capture, out); }))
        return Failure(path, ErrorText(error));
    CFileWriter gtkw;
    const std::string saveFile = GtkwSaveFile(capture, AbsolutePath(path), AbsolutePath(savePath));
    if (const int error = WriteText(gtkw, savePath, [&](ExportOutput& out) { out.Text() = saveFile; out.Finish(); }))
        return Failure(savePath, ErrorText(error));
    // Both are complete before either replaces anything.
    if (const int error = vcd.Commit())
        return Failure(path, ErrorText(error));
    if (const int error = gtkw.Commit())
        return Failure(savePath, ErrorText(error));
    return {true, {}, {}};
}

ExportResult ExportCsv(const std::string& path, const ExportableCapture& capture)
{
    CFileWriter file;
    if (const int error = WriteText(file, path, [&](ExportOutput& out) { WriteCsv(capture, out); }))
        return Failure(path, ErrorText(error));
    if (const int error = file.Commit())
        return Failure(path, ErrorText(error));
    return {true, {}, {}};
}

ExportResult ExportSigrokSession(const std::string& path, const ExportableCapture& capture)
{
    std::string zipError;
    const std::optional<std::string> bytes = SigrokSessionBytes(capture, &zipError);
    if (!bytes)
        return Failure(path, zipError);
    CFileWriter file;
    if (const int error = WriteText(file, path, [&](ExportOutput& out) { out.Text() = *bytes; out.Finish(); }))
        return Failure(path, ErrorText(error));
    if (const int error = file.Commit())
        return Failure(path, ErrorText(error));
    return {true, {}, {}};
}

bool IsExportableBus(const Bus& bus)
{
    std::array<bool, kExportChannelCount> used{};
    for (const int channel : bus.channels) {
        if (channel < 0 || channel >= kExportChannelCount || used[static_cast<size_t>(channel)])
            return false;
        used[static_cast<size_t>(channel)] = true;
    }
    return !bus.channels.empty();
}

} // namespace

std::string CheckExportable(const ExportableCapture& capture)
{
    if (capture.nSampleCount < 1)
        return "the capture holds no samples";
    if (capture.nSampleCount > kMaxExportSamples)
        return "the capture holds more than " + std::to_string(kMaxExportSamples) + " samples";
    if (!capture.pSamples)
        return "the capture has no sample store";
    if (capture.dClockPeriod && !PeriodFemtoseconds(*capture.dClockPeriod))
        return "the clock period is not a usable number of seconds";
    for (const Bus& bus : capture.annotations.buses)
        if (!IsExportableBus(bus))
            return "the bus \"" + bus.strName + "\" has no channels, a channel outside D0..D47, or one twice";
    return {};
}

ExportResult ExportCapture(const std::string& path, ExportFormat format, const ExportableCapture& capture)
{
    if (path.empty())
        return Failed("no file name given");
    if (const std::string problem = CheckExportable(capture); !problem.empty())
        return Failure(path, problem);
    switch (format) {
    case ExportFormat::Vcd: return ExportVcd(path, capture);
    case ExportFormat::Csv: return ExportCsv(path, capture);
    case ExportFormat::SigrokSession: return ExportSigrokSession(path, capture);
    }
    return Failure(path, "unknown format");
}

std::vector<std::string> ExportFilePaths(const std::string& path, ExportFormat format)
{
    if (format == ExportFormat::Vcd)
        return {path, GtkwPathFor(path)};
    return {path};
}

std::optional<ExportFormat> ExportFormatFromPath(std::string_view path)
{
    const size_t slash = path.find_last_of('/');
    const size_t dot = path.find_last_of('.');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash))
        return std::nullopt;
    return ExportFormatFromName(path.substr(dot + 1));
}

std::optional<ExportFormat> ExportFormatFromName(std::string_view name)
{
    const std::string lower = Lower(name);
    if (lower == "vcd")
        return ExportFormat::Vcd;
    if (lower == "csv")
        return ExportFormat::Csv;
    if (lower == "sr")
        return ExportFormat::SigrokSession;
    return std::nullopt;
}

const char* ExportSuffix(ExportFormat format)
{
    switch (format) {
    case ExportFormat::Vcd: return ".vcd";
    case ExportFormat::Csv: return ".csv";
    case ExportFormat::SigrokSession: return ".sr";
    }
    return "";
}

} // namespace veldran
