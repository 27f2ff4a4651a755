// Listing three buses over a 1,000,000-sample capture, as `veldran-analyze listing` writes it (CSV
// with a time column, and the table to read), against the floor of one plain pass over the same
// store. The text goes to a sink that only counts it, so what is measured is the making; the
// largest piece the sink is handed and the peak resident memory show that the rows are never all
// held at once (the whole CSV is some 40 MB). Each run does each job in turn; the figures are
// medians.

#include "tests/common/Median.h"
#include "annotations/BusListing.h"
#include "analyze/ListingTable.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

using namespace veldran;

constexpr int64_t kSamples = 1000000;
constexpr int kRuns = 7;

// Channels 0–15 count; 16–31 count down; 32–47 are clocks divided by 2 … 2^16.
uint8_t LevelOf(int64_t n, int channel)
{
    if (channel < 16)
        return static_cast<uint8_t>((n >> channel) & 1);
    if (channel < 32)
        return static_cast<uint8_t>((~n >> (channel - 16)) & 1);
    return static_cast<uint8_t>((n >> (channel - 31)) & 1);
}

// VmHWM of this process, in kB.
long PeakKilobytes()
{
    std::ifstream status("/proc/self/status");
    std::string word;
    while (status >> word)
        if (word == "VmHWM:") {
            long kilobytes = 0;
            status >> kilobytes;
            return kilobytes;
        }
    return -1;
}

struct Job {
    Job(const char* jobName, std::function<void(const ListingSink&)> jobRun) : name(jobName), run(std::move(jobRun)) {}

    const char* name;
    std::function<void(const ListingSink&)> run;
    std::vector<double> ms;
    size_t nBytes = 0;
    size_t nLargestPiece = 0;
};

} // namespace

int main()
{
    std::vector<uint8_t> levels(static_cast<size_t>(kSamples) * 48);
    for (int64_t n = 0; n < kSamples; ++n)
        for (int channel = 0; channel < 48; ++channel)
            levels[static_cast<size_t>(n * 48 + channel)] = LevelOf(n, channel);
    const SampleStore store{levels.data(), kSamples};
    std::vector<Bus> buses = {{"COUNT", {15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0}, ERadix::Hex},
                              {"DOWN", {23, 22, 21, 20, 19, 18, 17, 16}, ERadix::Ascii},
                              {"CLOCKS", {43, 42, 41, 40, 39, 38, 37, 36, 35, 34, 33, 32}, ERadix::Signed}};
    const long peakBefore = PeakKilobytes();

    volatile unsigned floorSum = 0;
    std::vector<Job> jobs = {
        {"floor", [&](const ListingSink&) {
             unsigned sum = 0;
             for (const uint8_t level : levels)
                 sum += level;
             floorSum = sum;
         }},
        {"csv", [&](const ListingSink& sink) { (void)WriteBusListing(store, 0, kSamples - 1, 40000000, buses, sink); }},
        {"table", [&](const ListingSink& sink) {
             WriteListingTable(store, 0, kSamples - 1, 40000000, buses, {"sample", "time (s)"}, sink);
         }},
    };
    for (int run = 0; run < kRuns; ++run)
        for (Job& job : jobs) {
            job.nBytes = 0;
            const ListingSink sink = [&job](std::string_view piece) {
                job.nBytes += piece.size();
                job.nLargestPiece = std::max(job.nLargestPiece, piece.size());
            };
            const auto start = std::chrono::steady_clock::now();
            job.run(sink);
            job.ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        }

    std::printf("bus_listing: %lld samples, 3 buses (16-bit hex, 8-bit ascii, 12-bit signed), %d runs, medians\n",
                static_cast<long long>(kSamples), kRuns);
    const double floor = veldran::test::Median(jobs[0].ms);
    for (const Job& job : jobs)
        std::printf("  %-6s %8.1f ms  ratio to floor %6.1f  %9zu bytes  largest piece %zu bytes\n", job.name,
                    veldran::test::Median(job.ms), veldran::test::Median(job.ms) / floor, job.nBytes, job.nLargestPiece);
    std::printf("  peak resident memory: %ld kB with the store, %ld kB after listing\n", peakBefore, PeakKilobytes());
    return 0;
}
