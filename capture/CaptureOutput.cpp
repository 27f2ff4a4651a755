#include "capture/CaptureOutput.h"

#include "export/ExportCapture.h"
#include "i18n/CliText.h"
#include "link/serial/ErrorText.h"

#include <cerrno>

#include <sys/stat.h>
#include <unistd.h>

namespace veldran {

ChannelNames DefaultChannelNames()
{
    ChannelNames names;
    for (int n = 0; n < kChannelCount; ++n)
        names[static_cast<std::size_t>(n)] = DefaultChannelName(n);
    return names;
}

bool LoadChannelNames(const std::string& path, ChannelNames& names, std::string& error,
                      std::vector<Message>* reported)
{
    CVELDRANDoc earlier;
    const CaptureLoad load = LoadCaptureFile(earlier, path);
    if (reported)
        reported->insert(reported->end(), load.messages.begin(), load.messages.end());
    if (!load) {
        error = "cannot read the names from " + path;
        return false;
    }
    if (load.result != LoadResult::Loaded) {
        error = path + " is not a capture file";
        return false;
    }
    names = earlier.ChannelNames();
    return true;
}

bool CheckOutputFolder(const std::string& path, std::string& error)
{
    const std::size_t slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash == 0 ? 1 : slash);
    struct stat st {};
    const int nFolderError = stat(folder.c_str(), &st) != 0 ? errno : S_ISDIR(st.st_mode) ? 0 : ENOTDIR;
    if (nFolderError != 0) {
        error = "cannot write " + path + ": " + SystemErrorText(nFolderError);
        return false;
    }
    if (access(folder.c_str(), W_OK | X_OK) != 0) {
        error = "cannot write " + path + ": " + SystemErrorText(errno);
        return false;
    }
    if (stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
        error = "cannot write " + path + ": " + SystemErrorText(EISDIR);
        return false;
    }
    return true;
}

bool WriteCaptureOutput(const CVELDRANDoc& doc, const ChannelNames& names, ECaptureFormat format,
                        const std::string& path, std::string& error, std::optional<uint64_t> nClockFs)
{
    ExportFormat exportFormat = ExportFormat::Csv;
    switch (format) {
    case ECaptureFormat::Vxr:
    {
        // A save that fails or is refused reports one message; its text is the reason.
        const CaptureSave saved = SaveCaptureFile(doc, names, path);
        if (!saved.messages.empty())
            error = CliText(saved.messages.front());
        return static_cast<bool>(saved);
    }
    case ECaptureFormat::Vcd:
        exportFormat = ExportFormat::Vcd;
        break;
    case ECaptureFormat::Csv:
        exportFormat = ExportFormat::Csv;
        break;
    case ECaptureFormat::Sigrok:
        exportFormat = ExportFormat::SigrokSession;
        break;
    case ECaptureFormat::Unknown:
        error = "no format for " + path;
        return false;
    }
    // The instrument's clock is not part of the listing: samples are timed only by --clock, and
    // numbered without it.
    ExportableCapture capture;
    if (nClockFs)
        capture.dClockPeriod = static_cast<double>(*nClockFs) / 1e15;
    capture.nSampleCount = doc.ReadableSampleCount();
    capture.pSamples = doc.Samples().data();
    for (std::size_t n = 0; n < names.size(); ++n)
        capture.strNames[n] = names[n];
    const ExportResult result = ExportCapture(path, exportFormat, capture);
    error = result.strError;
    return static_cast<bool>(result);
}

void PrintMessages(std::FILE* out, const std::vector<Message>& messages)
{
    for (const Message& message : messages)
        std::fprintf(out, "veldran-capture: %s\n", CliText(message).c_str());
}

} // namespace veldran
