// Opening a capture of 99,999 samples: a process that opens the file against a `wc -l` process on
// the same file, both timed whole (start to reaped), interleaved (goal: within 10 times, stretch 5),
// and the peak memory of the process that opens it (goal: at most 20 MiB).
//
//   capture_open [--samples N] [--runs R]  writes the file to a temporary folder, prints the figures
//   capture_open --open F    (used by the above) opens F once, prints its peak memory in KiB and
//                            the open's own time in microseconds

#include "document/CaptureFile.h"
#include "tests/common/ChildProcess.h"
#include "tests/common/ListingBuilder.h"
#include "tests/common/SilentMessages.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <malloc.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

using veldran::test::ChildRun;
using veldran::test::Run;

constexpr int kSamples = 99999;
constexpr int kRuns = 21;

bool WriteSampleFile(const std::string& path, int samples)
{
    veldran::ChannelNames names;
    for (int ch = 0; ch < veldran::kChannelCount; ++ch)
        names[static_cast<size_t>(ch)] = "채널 " + std::to_string(ch);
    return veldran::test::SaveListing(veldran::test::RandomCells(samples, 20240601), names, path);
}

double Seconds(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Opens the file as File Open does, into a document that exists beforehand; seconds, or -1.
double TimeOpen(const std::string& path, int expected)
{
    veldran::CVELDRANDoc doc; // the application's document exists before File Open
    const auto start = std::chrono::steady_clock::now();
    const veldran::CaptureLoad load = veldran::LoadCaptureFile(doc, path);
    const double seconds = Seconds(std::chrono::steady_clock::now() - start);
    if (!load || load.result != veldran::LoadResult::Loaded || (expected > 0 && doc.SampleCount() != expected)) {
        std::fprintf(stderr, "open failed (count %d)\n", doc.SampleCount());
        return -1;
    }
    return seconds;
}

// The peak resident size of this process in KiB. ru_maxrss would also count what a parent held
// before it started this process, so the kernel's high-water mark of the process' own memory is read.
long OwnPeakKiB()
{
    FILE* status = std::fopen("/proc/self/status", "r");
    long kib = -1;
    char line[256];
    while (status && std::fgets(line, sizeof line, status))
        if (std::sscanf(line, "VmHWM: %ld kB", &kib) == 1)
            break;
    if (status)
        std::fclose(status);
    return kib;
}

long FileBytes(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? static_cast<long>(st.st_size) : -1;
}

} // namespace

int main(int argc, char** argv)
{
    const veldran::test::SilentMessages messages(veldran::test::SilentMessages::ToStandardError);
    if (argc == 3 && std::string(argv[1]) == "--open") {
        // The process the figures time: opens the file once, prints its own peak memory in KiB and
        // the time the open took inside it in microseconds.
        const double seconds = TimeOpen(argv[2], 0);
        std::printf("%ld %.0f\n", OwnPeakKiB(), seconds * 1e6);
        return seconds >= 0 ? 0 : 1;
    }
    if (argc == 2 && std::string(argv[1]) == "--idle") {
        // A fresh document, as the program builds it at start-up: its heap bytes in the second field.
        const size_t before = mallinfo2().uordblks;
        const auto doc = std::make_unique<veldran::CVELDRANDoc>();
        const size_t held = mallinfo2().uordblks - before;
        std::printf("%ld %zu\n", OwnPeakKiB(), held);
        return doc->Tokens().size() == veldran::CVELDRANDoc::kFreshTokenCount ? 0 : 1;
    }
    int samples = kSamples;
    int runs = kRuns;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::string(argv[i]) == "--samples")
            samples = std::atoi(argv[i + 1]);
        else if (std::string(argv[i]) == "--runs")
            runs = std::atoi(argv[i + 1]);
    }
    if (samples <= 0 || samples > veldran::kMaxCaptureSamples || runs <= 0)
        return 2;

    char folderTemplate[] = "/tmp/veldran-bench-XXXXXX";
    const char* folder = ::mkdtemp(folderTemplate);
    if (!folder)
        return 1;
    const std::string path = std::string(folder) + "/capture.vxr";
    if (!WriteSampleFile(path, samples))
        return 1;

    // Both sides are whole processes started and reaped the same way (posix_spawn, wait4),
    // interleaved, so a busy moment of the machine hits both.
    const std::string self = argv[0];
    std::vector<double> wc, open, ratios, inside;
    long openKiB = 0;
    for (int run = 0; run < runs + 1; ++run) {
        const ChildRun counted = Run({"wc", "-l", path});
        const ChildRun opened = Run({self, "--open", path});
        long kib = -1;
        double micros = -1;
        if (counted.nExitCode != 0 || opened.nExitCode != 0
            || std::sscanf(opened.output.c_str(), "%ld %lf", &kib, &micros) != 2) {
            std::fprintf(stderr, "a run failed\n");
            return 1;
        }
        if (run == 0)
            continue; // the first pair warms the page cache and the loader
        wc.push_back(counted.seconds);
        open.push_back(opened.seconds);
        ratios.push_back(opened.seconds / counted.seconds);
        inside.push_back(micros / 1e6);
        openKiB = std::max(openKiB, kib);
    }
    long idleKiB = -1;
    size_t freshBytes = 0;
    std::sscanf(Run({self, "--idle"}).output.c_str(), "%ld %zu", &idleKiB, &freshBytes);

    std::printf("capture_open: %d samples, file %.1f MiB, %d interleaved runs (whole processes)\n", samples,
                FileBytes(path) / 1048576.0, runs);
    std::printf("  wc -l process median               %8.2f ms\n", Median(wc) * 1e3);
    std::printf("  open process median                %8.2f ms\n", Median(open) * 1e3);
    std::printf("  ratio of medians open / wc -l      %8.2f   (goal <= 10, stretch 5)\n", Median(open) / Median(wc));
    std::printf("  median of per-pair ratios          %8.2f\n", Median(ratios));
    std::printf("  open inside its process median     %8.2f ms\n", Median(inside) * 1e3);
    std::printf("  peak memory, process that opens    %8.1f MiB (goal <= 20)\n", openKiB / 1024.0);
    std::printf("  peak memory, idle process          %8.1f MiB\n", idleKiB / 1024.0);
    std::printf("  heap of a fresh document           %8.1f KiB (goal < 1 MiB)\n", freshBytes / 1024.0);

    std::remove(path.c_str());
    ::rmdir(folder);
    return 0;
}
