#include "capture/CaptureRun.h"

#include "capture/CaptureOutput.h"
#include "capture/CaptureProgress.h"
#include "capture/ListingCollector.h"
#include "capture/ListingReceiver.h"
#include "export/ExportCapture.h"
#include "files/FileWriter.h"
#include "files/OutputPath.h"
#include "files/StopSignals.h"
#include "i18n/CliText.h"
#include "link/ListingJournal.h"
#include "link/serial/ConsolePort.h"
#include "link/serial/ErrorText.h"
#include "link/serial/LineDefinition.h"
#include "link/serial/OpenFailure.h"
#include "link/serial/SerialDevice.h"
#include "link/serial/SerialMessages.h"

#include <poll.h>
#include <unistd.h>

namespace veldran {

namespace {

// Closes the port however the run ends.
class CPortHandle {
public:
    explicit CPortHandle(int fd) : m_fd(fd) {}
    ~CPortHandle() { ClosePortDevice(m_fd); }
    CPortHandle(const CPortHandle&) = delete;
    CPortHandle& operator=(const CPortHandle&) = delete;
    [[nodiscard]] int Fd() const { return m_fd; }

private:
    int m_fd;
};

bool StopRequested(int fdStop)
{
    if (fdStop < 0)
        return false;
    pollfd stop = {fdStop, POLLIN, 0};
    return poll(&stop, 1, 0) > 0 && (stop.revents & POLLIN);
}

EProgressStyle StyleFor(const SCaptureOptions& options, std::FILE* pErr)
{
    if (options.bQuiet)
        return EProgressStyle::None;
    return isatty(fileno(pErr)) ? EProgressStyle::Bar : EProgressStyle::Lines;
}

// Refuses, before the port opens, an output the writer would refuse and one that would overwrite
// an input (the names file, the device), the GTKWave save file beside a VCD included.
bool CheckOutputFiles(const SCaptureOptions& options, std::FILE* pErr)
{
    // Only a VCD has a file beside it; any other format names its one file.
    const std::vector<std::string> outputs =
        ExportFilePaths(options.strOutput, options.format == ECaptureFormat::Vcd ? ExportFormat::Vcd : ExportFormat::Csv);
    for (const std::string& output : outputs) {
        for (const std::string* input : {&options.strNames, &options.strDevice}) {
            if (!input->empty() && SameFile(*input, output)) {
                std::fprintf(pErr, "veldran-capture: %s: is the input file; choose another output name\n", output.c_str());
                return false;
            }
        }
        if (const int error = CheckOutputFile(output)) {
            std::fprintf(pErr, "veldran-capture: cannot write %s: %s\n", output.c_str(), ErrorText(error).c_str());
            return false;
        }
    }
    return true;
}

// The channel names to write, and an output that can be written. False after saying why.
bool PrepareOutput(const SCaptureOptions& options, ChannelNames& names, std::FILE* pErr)
{
    std::string error;
    if (!options.strNames.empty()) {
        std::vector<Message> reported;
        const bool bNamed = LoadChannelNames(options.strNames, names, error, &reported);
        PrintMessages(pErr, reported);
        if (!bNamed) {
            std::fprintf(pErr, "veldran-capture: %s\n", error.c_str());
            return false;
        }
    }
    if (!CheckOutputFolder(options.strOutput, error)) {
        std::fprintf(pErr, "veldran-capture: %s\n", error.c_str());
        return false;
    }
    return CheckOutputFiles(options, pErr);
}

// Parses the listing collected and writes the file, with what was not received as sent.
int WriteListing(CListingCollector& collector, CVELDRANDoc& document, const ChannelNames& names,
                 const SCaptureOptions& options, CCaptureProgress& progress, std::FILE* pErr)
{
    bool bWarned = false;
    document.SetStatusTextHandler([&bWarned, pErr](const std::string&) {
        if (!bWarned)
            std::fprintf(pErr, "veldran-capture: a cell holds characters other than 0 and 1; they read as 0\n");
        bWarned = true;
    });
    const std::optional<Message> cut = collector.Finish();
    if (cut)
        PrintMessages(pErr, {*cut});
    const std::optional<Message> damage = ListingDamageNote(collector.Damage());
    if (damage)
        PrintMessages(pErr, {*damage});
    std::string error;
    if (!WriteCaptureOutput(document, names, options.format, options.strOutput, error, options.nClockFs)) {
        if (!error.empty())
            std::fprintf(pErr, "veldran-capture: %s\n", error.c_str());
        return kExitPortOrFile;
    }
    progress.Wrote(options.strOutput, document.SampleCount());
    return cut || damage ? kExitWrittenDamaged : kExitWritten;
}

// A journal that stays: where it is and how to write it.
void ReportJournalKept(const CListingJournal& journal, std::FILE* pErr)
{
    if (access(journal.Path().c_str(), F_OK) == 0)
        PrintMessages(pErr, {Message(text::kCliJournalKept, {journal.Path()})});
}

int ReportLineLost(const SReceiveResult& result, const SCaptureOptions& options, std::FILE* pErr)
{
    const std::string reason = result.nError ? SystemErrorText(result.nError) : std::string("the line hung up");
    std::fprintf(pErr, "veldran-capture: %s: %s after %llu bytes; nothing written\n", options.strDevice.c_str(),
                 reason.c_str(), static_cast<unsigned long long>(result.nBytes));
    return kExitPortOrFile;
}

} // namespace

int RunCapture(const SCaptureOptions& options, int fdStop, std::FILE* pErr, const volatile std::sig_atomic_t* pStopSignal)
{
    ChannelNames names = DefaultChannelNames();
    if (!PrepareOutput(options, names, pErr))
        return kExitPortOrFile;

    // The system console's line is taken only when the user named it.
    if (!options.bPortNamed && !PortNamedByVariable(options.nPort) && IsKernelConsole(options.strDevice, options.roots)) {
        const Message refused(text::kCliConsolePort, {options.strDevice, options.strDevice});
        std::fprintf(pErr, "veldran-capture: %s\n", CliText(refused).c_str());
        return kExitPortOrFile;
    }
    // Exclusive, raw, 8N1, nothing sent: the same steps the window's port goes through. Closing it
    // puts its settings back.
    CPortHandle port(OpenPortDevice(options.strDevice));
    if (port.Fd() < 0) {
        const SOpenFailure failure = DiagnoseOpenFailure(options.strDevice, errno, options.nPort, options.roots);
        std::fprintf(pErr, "veldran-capture: %s\n", OpenFailureAdvice(failure).c_str());
        return kExitPortOrFile;
    }
    uint32_t nPortMask = 0;
    const SConfigFailure failure =
        ConfigurePort(port.Fd(), FormatLineDefinition(options.nBaud, 'N', 8, 1), EV_VIEW_MASK, nPortMask);
    if (failure.pszCall) {
        std::fprintf(pErr, "veldran-capture: %s: %s failed: %s\n", options.strDevice.c_str(), failure.pszCall,
                     SystemErrorText(failure.nError).c_str());
        return kExitPortOrFile;
    }
    PurgePort(port.Fd());

    CCaptureProgress progress(pErr, StyleFor(options, pErr));
    progress.Waiting(options.strDevice, options.nBaud);
    CVELDRANDoc document;
    CListingJournal journal;
    CListingCollector collector(document, progress, &journal);
    // Ctrl+C lets the listing go; any other stop keeps what came for --recover.
    const auto stopped = [&] {
        std::fprintf(pErr, "veldran-capture: stopped; nothing written\n");
        if (pStopSignal && *pStopSignal == SIGINT) {
            journal.Remove();
        } else if (journal.IsOpen()) {
            journal.Close();
            ReportJournalKept(journal, pErr);
        }
        return kExitStopped;
    };
    SReceiveTiming timing;
    timing.timeout = std::chrono::milliseconds(options.nTimeoutMs);
    const SReceiveResult result = ReceiveListing(port.Fd(), fdStop, timing, collector);

    switch (result.end) {
    case EReceiveEnd::Stopped:
        progress.Received(collector.Lines(), collector.Bytes());
        return stopped();
    case EReceiveEnd::NothingArrived:
        std::fprintf(pErr, "veldran-capture: nothing arrived on %s within the timeout\n", options.strDevice.c_str());
        return kExitNothingArrived;
    case EReceiveEnd::LineLost: {
        progress.Received(collector.Lines(), collector.Bytes());
        const int nExit = ReportLineLost(result, options, pErr);
        if (journal.IsOpen()) {
            journal.Close();
            ReportJournalKept(journal, pErr);
        }
        return nExit;
    }
    case EReceiveEnd::Refused:
        journal.Remove();
        std::fprintf(pErr, "veldran-capture: the listing did not begin with STATE; nothing written\n");
        return kExitNotListing;
    case EReceiveEnd::Quiet:
        break;
    }
    // The caller's handlers only wake the receiving loop. From here on the run parses and writes:
    // a stop signal ends the program at once, by that signal and without a file; one that came
    // before is seen below.
    if (fdStop >= 0)
        EndOnStopSignals("veldran-capture: stopped; nothing written\n");
    progress.Received(collector.Lines(), collector.Bytes());
    if (!collector.StateSeen()) {
        // Bytes came, but not one token: no listing at all (noise, or the wrong speed).
        journal.Remove();
        std::fprintf(pErr, "veldran-capture: %llu bytes arrived but no STATE listing; nothing written\n",
                     static_cast<unsigned long long>(result.nBytes));
        return kExitNotListing;
    }
    if (StopRequested(fdStop))
        return stopped();
    // Every byte is in: the journal reaches the disk before the parse, which a signal may end.
    journal.Close();

    const int nExit = WriteListing(collector, document, names, options, progress, pErr);
    if (nExit == kExitPortOrFile)
        ReportJournalKept(journal, pErr);
    else
        journal.Remove();
    return nExit;
}

int RecoverCapture(const SCaptureOptions& options, std::FILE* pErr)
{
    const std::string path = ListingJournalPath();
    std::string bytes;
    int nError = 0;
    switch (ReadListingJournal(path, bytes, &nError)) {
    case EJournalRead::Read:
        break;
    case EJournalRead::Missing:
        PrintMessages(pErr, {Message(text::kCliNoJournal, {path.empty() ? std::string("$HOME") : path})});
        return kExitPortOrFile;
    case EJournalRead::Busy:
        PrintMessages(pErr, {Message(text::kCliJournalBusy, {path})});
        return kExitPortOrFile;
    case EJournalRead::NotJournal:
        PrintMessages(pErr, {Message(text::kCliNotJournal, {path})});
        return kExitPortOrFile;
    case EJournalRead::Failed:
        std::fprintf(pErr, "veldran-capture: cannot read %s: %s\n", path.c_str(), ErrorText(nError).c_str());
        return kExitPortOrFile;
    }
    ChannelNames names = DefaultChannelNames();
    if (!PrepareOutput(options, names, pErr))
        return kExitPortOrFile;
    CCaptureProgress progress(pErr, options.bQuiet ? EProgressStyle::None : EProgressStyle::Lines);
    CVELDRANDoc document;
    CListingCollector collector(document, progress);
    // The same receiver as a reception: damaged lines are kept in step, the lines counted.
    const bool bListing = collector.OnBytes(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
    if (!bListing || !collector.StateSeen()) {
        std::fprintf(pErr, "veldran-capture: %s holds no STATE listing; nothing written\n", path.c_str());
        return kExitNotListing;
    }
    if (WriteListing(collector, document, names, options, progress, pErr) == kExitPortOrFile)
        return kExitPortOrFile;
    PrintMessages(pErr, {Message(text::kListingRecovered, {MessageNumber(document.SampleCount())})});
    RemoveListingJournal(path);
    return kExitWrittenDamaged;
}

int PrintPortList(std::FILE* pOut, const SDeviceRoots& roots)
{
    const std::vector<SSerialPort> ports = ListSerialPorts(roots);
    if (ports.empty())
        std::fprintf(pOut, "no serial device found\n");
    for (const SSerialPort& port : ports) {
        std::string name = port.strPath;
        if (!port.strTarget.empty())
            name += " -> " + port.strTarget;
        std::string state = "can open";
        if (!port.bCanOpen) {
            const SOpenFailure failure = DiagnoseOpenFailure(port.strPath, port.nAccessError, 0, roots);
            state = "cannot open: " + failure.strSystemText;
            if (failure.kind == EOpenFailure::Permission)
                state += "; " + OpenFailureRemedy(failure);
        }
        std::fprintf(pOut, "%-40s %s\n", name.c_str(), state.c_str());
    }
    return static_cast<int>(ports.size());
}

} // namespace veldran
