// End-to-end reception over a pseudo-terminal: the simulator (a child process, optionally pinned
// to a processor) sends a listing, the serial worker reads it, the link hands it to the reception
// and the tokens reach the document. Prints the rate against the 9600-baud line (960 bytes/s),
// whether every token arrived, and the processor time this program used meanwhile (user + system,
// all threads) as a share of one core. --raw reads the same bytes with plain read() calls instead:
// the floor to compare with. --idle S first measures S seconds with the port open and no bytes.
//
// usage: reception_throughput [--lines N] [--baud 0|1200|9600] [--sender-cpu C] [--idle S] [--raw]

#include "link/SettingsFile.h"
#include "sim/ListingGenerator.h"
#include "tests/common/ChildProcess.h"
#include "link/InstrumentLink.h"
#include "view/VeldranView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr double kLineBytesPerSecond = 960.0;

struct SOptions {
    int nLines = 5000;
    int nBaud = 0;
    int nSenderCpu = -1;
    int nIdleSeconds = 0;
    bool bRaw = false;
};

bool ParseOptions(int argc, char** argv, SOptions& options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--raw") {
            options.bRaw = true;
            continue;
        }
        if (i + 1 >= argc)
            return false;
        const int value = std::atoi(argv[++i]);
        if (arg == "--lines")
            options.nLines = value;
        else if (arg == "--baud")
            options.nBaud = value;
        else if (arg == "--sender-cpu")
            options.nSenderCpu = value;
        else if (arg == "--idle")
            options.nIdleSeconds = value;
        else
            return false;
    }
    return true;
}

// This process's processor time so far, all threads, in seconds.
double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
        + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The simulator, sending one listing once this program has opened its line; its first line names
// the line.
std::unique_ptr<veldran::test::ChildProcess> StartSender(const SOptions& options)
{
    // The idle measurement runs while the simulator waits to send.
    const std::string delay = std::to_string(1000 + 1000 * options.nIdleSeconds);
    veldran::test::ChildOptions child;
    child.nCpu = options.nSenderCpu;
    return std::make_unique<veldran::test::ChildProcess>(
        std::vector<std::string>{VELDRAN_SIM_PATH, "--once", "--wait-open", "--delay", delay, "--pattern", "random",
                                 "--lines", std::to_string(options.nLines), "--baud", std::to_string(options.nBaud)},
        child);
}

void Report(const char* pszWhat, std::size_t nBytes, double dSeconds, double dCpu, bool bComplete)
{
    const double dRate = double(nBytes) / dSeconds;
    std::printf("%s: %zu bytes in %.3f s: %.0f bytes/s = %.1f x the 9600-baud line; cpu %.3f s = %.2f %% of one "
                "core; %s\n",
                pszWhat, nBytes, dSeconds, dRate, dRate / kLineBytesPerSecond, dCpu, 100.0 * dCpu / dSeconds,
                bComplete ? "no byte lost" : "BYTES MISSING");
}

// The floor: the same bytes read from the line with plain blocking reads.
int RunRaw(const std::string& path, std::size_t nExpected)
{
    const int fd = open(path.c_str(), O_RDONLY | O_NOCTTY);
    if (fd < 0)
        return 1;
    termios settings{};
    tcgetattr(fd, &settings);
    cfmakeraw(&settings);
    tcsetattr(fd, TCSANOW, &settings);
    char buffer[4096];
    std::size_t nRead = 0;
    bool bStarted = false;
    QElapsedTimer clock;
    double dCpuStart = 0;
    while (nRead < nExpected) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n <= 0)
            break;
        if (!bStarted) {
            bStarted = true;
            clock.start();
            dCpuStart = CpuSeconds();
        }
        nRead += std::size_t(n);
    }
    const double dSeconds = double(clock.nsecsElapsed()) / 1e9;
    Report("raw read", nRead, dSeconds, CpuSeconds() - dCpuStart, nRead == nExpected);
    close(fd);
    return nRead == nExpected ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    SOptions options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr, "usage: %s [--lines N] [--baud 0|1200|9600] [--sender-cpu C] [--idle S] [--raw]\n",
                     argv[0]);
        return 2;
    }
    const auto sender = StartSender(options);
    const std::string path = sender->FirstLine();
    if (path.empty()) {
        std::fprintf(stderr, "cannot start the simulator %s\n", VELDRAN_SIM_PATH);
        return 1;
    }
    // The listing the simulator sends for its first press of STATE.
    const std::size_t nBytes =
        veldran::sim::GenerateListing({options.nLines, veldran::sim::EPattern::Random, 1}).size();
    const std::size_t nExpectedTokens =
        veldran::kListingHeaderTokens + veldran::kTokensPerSample * std::size_t(options.nLines);
    if (options.bRaw)
        return RunRaw(path, nBytes);

    for (int n = 0; n <= 4; ++n)
        setenv(("VELDRAN_COM" + std::to_string(n)).c_str(), path.c_str(), 1);
    if (qgetenv("QT_QPA_PLATFORM").isEmpty())
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (!veldran::WriteSettings(veldran::SettingsPath(), 0, 0, nullptr))
        return 1;

    veldran::CCaptureSession session;
    const veldran::CVELDRANDoc& document = session.Document();
    veldran::CVELDRANView view(session);
    veldran::CInstrumentLink link(session, &view);
    view.resize(1280, 800);
    view.show();
    session.OpenCapture();
    while (!link.m_serial.IsRunning())
        QCoreApplication::processEvents();
    if (options.nIdleSeconds > 0) {
        // The port is open and its worker waits; the simulator sends only later. The window's
        // first paint is over before the measurement starts.
        QTimer::singleShot(500, &app, &QCoreApplication::quit);
        app.exec();
        const double dIdleStart = CpuSeconds();
        QElapsedTimer idle;
        idle.start();
        QTimer::singleShot(options.nIdleSeconds * 1000, &app, &QCoreApplication::quit);
        app.exec();
        const double dIdleCpu = CpuSeconds() - dIdleStart;
        std::printf("idle, port open: cpu %.4f s in %.1f s = %.3f %% of one core\n", dIdleCpu,
                    double(idle.elapsed()) / 1000.0, 100.0 * dIdleCpu * 1000.0 / double(idle.elapsed()));
    }
    link.OnLoad();

    // From the first token to the last: the simulator's start-up delay is not part of the transfer,
    // and the reception's quiet time after the last byte is not either.
    QElapsedTimer clock;
    double dCpuStart = 0;
    double dSeconds = 0;
    double dCpu = 0;
    bool bStarted = false;
    std::size_t nLastTokens = 0;
    QElapsedTimer sinceChange;
    sinceChange.start();
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        const std::size_t nTokens = document.Tokens().size();
        if (!bStarted && nTokens > 0) {
            bStarted = true;
            clock.start();
            dCpuStart = CpuSeconds();
        }
        // Tokens that stop coming for 5 s are not coming (the simulator has ended).
        if (nTokens != nLastTokens) {
            nLastTokens = nTokens;
            sinceChange.start();
        }
        if (nTokens >= nExpectedTokens || (bStarted && sinceChange.elapsed() > 5000)) {
            dSeconds = double(clock.nsecsElapsed()) / 1e9;
            dCpu = CpuSeconds() - dCpuStart;
            QCoreApplication::quit();
        }
    });
    // Looking every 100 ms costs nothing measurable; the first token is seen within that time.
    poll.start(100);
    app.exec();

    const bool bComplete = document.Tokens().size() == nExpectedTokens;
    if (!bComplete)
        std::printf("tokens: %zu of %zu\n", document.Tokens().size(), nExpectedTokens);
    Report("reception", nBytes, dSeconds, dCpu, bComplete);

    return bComplete ? 0 : 1;
}
