// Start-up to the settled main window: a whole process that starts the program as the program's own
// main() does, opens a capture given on the command line, shows the maximized frame, and counts as
// settled when the event loop first goes idle after the frame has painted. Timed from the start of
// the process to its "settled" line, interleaved with the same process without a file.
//
//   startup_settle [--samples N] [--runs R] [--platform P] [--compare OTHER]
//       writes an N-sample capture (99,999) and prints the figures. P: offscreen (the default) or
//       xcb (the display in DISPLAY, Xvfb for instance). OTHER: the startup_settle of another build,
//       whose start-ups are interleaved with these and reported beside them.
//   startup_settle --child [FILE]             (used by the above) one start-up; prints "settled"
//   startup_settle --child-empty              (used by the above) the floor: an empty Qt main window

#include "app/CommandLine.h"
#include "app/VeldranApp.h"
#include "tests/common/ChildProcess.h"
#include "tests/common/ListingBuilder.h"
#include "tests/common/Median.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QMainWindow>
#include <QEvent>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using veldran::test::Median;

// Notes the first paint of any window of the program.
class CPaintWatch : public QObject {
public:
    bool m_bPainted = false;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType())
            m_bPainted = true;
        return false;
    }
};

// The floor: an empty main window of Qt, maximized, settled the same way.
int RunEmptyChild(int argc, char** argv)
{
    QApplication app(argc, argv);
    CPaintWatch watch;
    app.installEventFilter(&watch);
    QMainWindow window;
    window.showMaximized();
    QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, &app, [&watch] {
        if (!watch.m_bPainted)
            return;
        std::fputs("settled\n", stdout);
        std::fflush(stdout);
        std::_Exit(0);
    });
    return app.exec();
}

int RunChild(int argc, char** argv)
{
    // argv: program --child [file]; the program sees --automation (no splash) and the file.
    std::vector<char*> args = {argv[0], const_cast<char*>("--automation")};
    for (int i = 2; i < argc; ++i)
        args.push_back(argv[i]);
    int count = static_cast<int>(args.size());
    args.push_back(nullptr);
    // As main does: the command line read first, the capture read ahead, then the application.
    QStringList arguments;
    for (int i = 1; i < count; ++i)
        arguments << QString::fromLocal8Bit(args[static_cast<size_t>(i)]);
    const veldran::CommandLineInfo info = veldran::ParseCommandLine(arguments);
    veldran::CCapturePrefetch readAhead;
    veldran::CVELDRANApp::ReadAhead(info, readAhead);
    veldran::CVELDRANApp app(count, args.data());
    CPaintWatch watch;
    app.installEventFilter(&watch);
    int exitCode = 0;
    if (!app.InitInstance(info, &exitCode, &readAhead))
        return 1;
    QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, &app, [&watch] {
        if (!watch.m_bPainted)
            return;
        std::fputs("settled\n", stdout);
        std::fflush(stdout);
        std::_Exit(0); // the figure is the start-up; tearing down is not part of it
    });
    return app.exec();
}

bool WriteCapture(const std::string& path, int samples)
{
    veldran::ChannelNames names;
    for (int ch = 0; ch < veldran::kChannelCount; ++ch)
        names[static_cast<size_t>(ch)] = "CH" + std::to_string(ch);
    return veldran::test::SaveListing(veldran::test::RandomCells(samples, 7), names, path);
}

// Seconds from spawning the process to its "settled" line; -1 when it failed. An X server under
// a quick succession of clients now and then refuses one (Qt then aborts before anything of the
// program ran): such a start is tried again, at most twice, and counted.
int g_nRefusedStarts = 0;
double TimeStartUp(const std::vector<std::string>& args)
{
    for (int attempt = 0; attempt < 3; ++attempt) {
        veldran::test::ChildProcess child(args);
        const bool bLine = child.WaitForText("\n", false, 60);
        const double seconds = child.SecondsSinceStart();
        if (child.Wait(60) && bLine && child.ExitCode() == 0 && child.Output() == "settled\n")
            return seconds;
        std::fprintf(stderr, "%s: exit %d, output \"%s\"\n", args.front().c_str(), child.ExitCode(),
                     child.Output().c_str());
        if (!child.Output().empty())
            break;
        ++g_nRefusedStarts;
    }
    return -1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 2 && std::string(argv[1]) == "--child")
        return RunChild(argc, argv);
    if (argc >= 2 && std::string(argv[1]) == "--child-empty")
        return RunEmptyChild(argc, argv);

    int samples = 99999;
    int runs = 11;
    std::string platform = "offscreen";
    std::string other;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::string(argv[i]) == "--samples")
            samples = std::atoi(argv[i + 1]);
        else if (std::string(argv[i]) == "--runs")
            runs = std::atoi(argv[i + 1]);
        else if (std::string(argv[i]) == "--platform")
            platform = argv[i + 1];
        else if (std::string(argv[i]) == "--compare")
            other = argv[i + 1];
    }
    if (samples <= 0 || runs <= 0)
        return 2;
    // No instrument: a pseudo-terminal behind every port so that opening the port shows no box.
    setenv("QT_QPA_PLATFORM", platform.c_str(), 1);
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0)
        return 1;
    for (int n = 1; n <= 4; ++n)
        setenv(("VELDRAN_COM" + std::to_string(n)).c_str(), ::ptsname(master), 1);

    char folderTemplate[] = "/tmp/veldran-startup-XXXXXX";
    const char* folder = ::mkdtemp(folderTemplate);
    if (!folder)
        return 1;
    const std::string path = std::string(folder) + "/capture.vxr";
    if (!WriteCapture(path, samples))
        return 1;
    // Settings the program writes beside itself or in the user's folder stay in the temporary folder.
    setenv("XDG_CONFIG_HOME", folder, 1);

    std::vector<double> empty, withFile, otherEmpty, otherWithFile, floor;
    for (int run = 0; run <= runs; ++run) {
        const double f = TimeStartUp({argv[0], "--child-empty"});
        const double a = TimeStartUp({argv[0], "--child"});
        const double b = TimeStartUp({argv[0], "--child", path});
        const double c = other.empty() ? 0 : TimeStartUp({other, "--child"});
        const double d = other.empty() ? 0 : TimeStartUp({other, "--child", path});
        if (f < 0 || a < 0 || b < 0 || c < 0 || d < 0) {
            std::fprintf(stderr, "a start-up failed\n");
            return 1;
        }
        if (run == 0)
            continue; // warms the page cache and the dynamic loader
        floor.push_back(f);
        empty.push_back(a);
        withFile.push_back(b);
        otherEmpty.push_back(c);
        otherWithFile.push_back(d);
    }
    std::printf("startup_settle: %d runs each, interleaved, %s platform (%d starts refused by the display, "
                "tried again)\n", runs, platform.c_str(), g_nRefusedStarts);
    const auto report = [samples](const char* build, const std::vector<double>& none, const std::vector<double>& file) {
        std::printf("  %s: start-up to the settled window, no file         median %7.1f ms\n", build, Median(none) * 1e3);
        std::printf("  %s: start-up to the settled window, %6d samples  median %7.1f ms (goal <= 60)\n", build,
                    samples, Median(file) * 1e3);
    };
    std::printf("  an empty maximized Qt main window (the floor)       median %7.1f ms\n", Median(floor) * 1e3);
    report("this build ", empty, withFile);
    if (!other.empty())
        report("other build", otherEmpty, otherWithFile);
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    return 0;
}
