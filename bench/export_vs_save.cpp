// Exporting a 99,999-sample capture against saving it as a capture file (goal: each export within
// 3 times the save). Every run does all four, in turn, into the same temporary folder, so a busy
// machine slows them alike; the figures are medians. Two captures: random levels on all 48
// channels, the worst case for a value change dump (about 24 changes a sample), and counting
// levels (a counter, clock dividers, a walking one), which compress well and so cost the session
// file's compression most.
//
//   export_vs_save                     prints the figures
//   export_vs_save --only F [counting] (for perf stat / callgrind) makes the capture and does only
//                                      F: vxr, vcd, csv or sr (none: only the capture)

#include "document/CaptureFile.h"
#include "export/ExportCapture.h"
#include "tests/common/ListingBuilder.h"
#include "tests/common/SilentMessages.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kSamples = 99999;
constexpr int kRuns = 15;

// The 48 levels of sample i of the counting capture, as bits.
uint64_t CountingLevels(int i)
{
    uint64_t clocks = 0;
    for (int bit = 0; bit < 16; ++bit)
        clocks |= static_cast<uint64_t>((i >> (bit % 8)) & 1) << bit;
    return static_cast<uint64_t>(i & 0xFFFF) | clocks << 16 | uint64_t(1) << (32 + i % 16);
}

// The capture as the program holds it after opening a file: token list, store and names.
bool MakeCapture(veldran::CVELDRANDoc& doc, veldran::ChannelNames& names, const std::string& path, bool counting)
{
    veldran::test::Collect(doc, veldran::test::Listing(
        counting ? veldran::test::CellsOf(kSamples, [](int i, int ch) { return int((CountingLevels(i) >> ch) & 1); })
                 : veldran::test::RandomCells(kSamples, 20240601)));
    for (int ch = 0; ch < veldran::kChannelCount; ++ch)
        names[static_cast<size_t>(ch)] = "채널 " + std::to_string(ch);
    return veldran::SaveCaptureFile(doc, names, path) && veldran::LoadCaptureFile(doc, path);
}

double Time(const std::function<bool()>& work)
{
    const auto start = std::chrono::steady_clock::now();
    const bool ok = work();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return ok ? seconds : -1.0;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

long FileSize(const std::string& path)
{
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return -1;
    std::fseek(f, 0, SEEK_END);
    const long size = std::ftell(f);
    std::fclose(f);
    return size;
}

} // namespace

// Times the four jobs on one capture; only: the one job to run once, or nullptr for all.
int Measure(bool counting, const char* only)
{
    char folderTemplate[] = "/tmp/veldran-bench-XXXXXX";
    const char* folder = ::mkdtemp(folderTemplate);
    if (!folder)
        return 1;
    const std::string base = std::string(folder) + "/capture";
    veldran::CVELDRANDoc doc;
    veldran::ChannelNames names;
    if (!MakeCapture(doc, names, base + ".source.vxr", counting))
        return 1;
    veldran::ExportableCapture capture;
    capture.nSampleCount = doc.ReadableSampleCount();
    capture.pSamples = doc.Samples().data();
    std::copy(doc.ChannelNames().begin(), doc.ChannelNames().end(), capture.strNames.begin());
    capture.dClockPeriod = 40e-9;

    struct Job {
        const char* name;
        std::string path;
        std::function<bool()> run;
        std::vector<double> seconds;
    };
    std::vector<Job> jobs;
    jobs.push_back({"vxr", base + ".vxr", {}, {}});
    jobs.push_back({"vcd", base + ".vcd", {}, {}});
    jobs.push_back({"csv", base + ".csv", {}, {}});
    jobs.push_back({"sr", base + ".sr", {}, {}});
    jobs[0].run = [&] { return static_cast<bool>(veldran::SaveCaptureFile(doc, names, jobs[0].path)); };
    for (size_t k = 1; k < jobs.size(); ++k) {
        const std::string path = jobs[k].path;
        jobs[k].run = [&capture, path] {
            const auto format = veldran::ExportFormatFromPath(path);
            return static_cast<bool>(veldran::ExportCapture(path, *format, capture));
        };
    }

    for (int run = 0; run < (only ? 1 : kRuns); ++run) {
        for (size_t k = 0; k < jobs.size(); ++k) {
            Job& job = jobs[(k + static_cast<size_t>(run)) % jobs.size()]; // each goes first in turn
            if (only && only != std::string(job.name))
                continue;
            const double seconds = Time(job.run);
            if (seconds < 0) {
                std::fprintf(stderr, "%s failed\n", job.name);
                return 1;
            }
            job.seconds.push_back(seconds);
        }
    }
    if (!only) {
        const double save = Median(jobs[0].seconds);
        std::printf("export_vs_save: %d samples of 48 channels, %s levels, 40 ns clock, %d runs interleaved\n",
                    kSamples, counting ? "counting" : "random", kRuns);
        for (const Job& job : jobs)
            std::printf("  %-4s %8.2f ms  %6.1f MiB  ratio to .vxr %5.2f%s\n", job.name, Median(job.seconds) * 1e3,
                        FileSize(job.path) / 1048576.0, Median(job.seconds) / save,
                        &job == &jobs[0] ? "" : "  (goal <= 3)");
    }
    for (const Job& job : jobs)
        std::remove(job.path.c_str());
    std::remove((base + ".gtkw").c_str());
    std::remove((base + ".source.vxr").c_str());
    ::rmdir(folder);
    return 0;
}

int main(int argc, char** argv)
{
    const veldran::test::SilentMessages messages(veldran::test::SilentMessages::ToStandardError);
    if (argc >= 3 && std::string(argv[1]) == "--only")
        return Measure(argc == 4 && std::string(argv[3]) == "counting", argv[2]);
    return Measure(false, nullptr) != 0 || Measure(true, nullptr) != 0;
}
