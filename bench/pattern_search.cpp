// Searching a 1,000,000-sample capture (goal: counting the matches of a 48-term pattern with edge
// terms within 2 times one plain pass over the same store; a find or an edge jump that meets
// nothing, the worst case, well under 5 ms). The floor is the cheapest pass that reads every
// byte of the store. Every run does each job in turn, each first in turn, and the figures are
// medians.
//
// The capture: channels 0–15 count, 16–31 are clocks divided by 2 … 2^16, 32–46 are a slow
// counter (one step a 65,536 samples), 47 never changes. The pattern asks all 48 channels for the
// levels and edges of sample 300,000, so it matches there (and, the counters being unique, only
// there).
//
//   pattern_search             prints the figures
//   pattern_search --only J    (for perf) runs job J once: floor, count, find, edge

#include "analysis/ChannelRef.h"
#include "analysis/Edges.h"
#include "analysis/Pattern.h"
#include "tests/common/Median.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <variant>
#include <vector>

namespace {

using veldran::test::Median;

using namespace veldran;

constexpr int64_t kSamples = 1000000;
constexpr int kRuns = 21;
constexpr int64_t kModel = 300000;

uint8_t LevelOf(int64_t n, int channel)
{
    if (channel < 16)
        return static_cast<uint8_t>((n >> channel) & 1);
    if (channel < 32)
        return static_cast<uint8_t>((n >> (channel - 15)) & 1);
    if (channel < 47)
        return static_cast<uint8_t>((n >> (16 + channel - 32)) & 1);
    return 0;
}

std::vector<uint8_t> MakeLevels()
{
    std::vector<uint8_t> levels(static_cast<size_t>(kSamples) * 48);
    for (int64_t n = 0; n < kSamples; ++n)
        for (int channel = 0; channel < 48; ++channel)
            levels[static_cast<size_t>(n * 48 + channel)] = LevelOf(n, channel);
    return levels;
}

// Every channel's level at the model sample, or its edge there.
std::string ModelPattern(const SampleStore& store)
{
    std::string text;
    for (int channel = 0; channel < 48; ++channel) {
        const uint8_t now = store.Level(kModel, channel);
        const uint8_t before = store.Level(kModel - 1, channel);
        text += (text.empty() ? "" : ",") + ChannelId(channel) + "=" + (now == before ? (now ? "1" : "0") : now ? "r" : "f");
    }
    return text;
}

CPattern Parsed(const std::string& text)
{
    auto parsed = CPattern::Parse(text, ChannelNames{});
    if (!std::holds_alternative<CPattern>(parsed)) {
        std::fprintf(stderr, "pattern refused: %s\n", text.c_str());
        std::exit(1);
    }
    return std::get<CPattern>(parsed);
}

// Reads every byte of the store once; the result keeps the compiler from dropping the reads.
uint64_t PlainPass(const SampleStore& store)
{
    const auto* words = reinterpret_cast<const uint64_t*>(store.pLevels);
    uint64_t folded = 0;
    for (int64_t i = 0; i < store.nCount * 48 / 8; ++i)
        folded += words[i];
    return folded;
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<uint8_t> levels = MakeLevels();
    const SampleStore store{levels.data(), kSamples};
    const std::string modelText = ModelPattern(store);
    const CPattern model = Parsed(modelText);
    const CPattern nowhere = Parsed("D47=1, D0=r");

    uint64_t sink = 0;
    struct Job {
        const char* name;
        const char* what;
        std::function<void()> run;
        std::vector<double> ms;
    };
    std::vector<Job> jobs = {
        {"floor", "one plain pass reading the store", [&] { sink += PlainPass(store); }, {}},
        {"count", "count the matches, 48 terms with edges", [&] { sink += CountMatches(store, model, kModel)->nTotal; }, {}},
        {"find", "find next, no match (whole capture)", [&] { sink += FindNext(store, nowhere, -1).value_or(0); }, {}},
        {"edge", "edge jump, no edge (channel 47, whole capture)",
         [&] { sink += NextEdge(store, ChannelBit(47), 0).value_or(0); }, {}},
        // Channels 36–47 never change in a million samples (the slow counter's bits past 2^20).
        {"edges12", "edge jump, any of 12 channels, none (whole capture)",
         [&] { sink += NextEdge(store, uint64_t{0xFFF} << 36, 0).value_or(0); }, {}},
    };

    if (argc == 3 && std::string(argv[1]) == "--only") {
        for (Job& job : jobs)
            if (job.name == std::string(argv[2]))
                job.run();
        return static_cast<int>(sink & 1);
    }

    for (int run = 0; run < kRuns; ++run) {
        for (size_t k = 0; k < jobs.size(); ++k) {
            Job& job = jobs[(k + static_cast<size_t>(run)) % jobs.size()];
            const auto start = std::chrono::steady_clock::now();
            job.run();
            job.ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        }
    }
    const auto counted = CountMatches(store, model, kModel);
    std::printf("pattern_search: %lld samples of 48 channels, %d runs interleaved, medians; %lld matches\n",
                static_cast<long long>(kSamples), kRuns, static_cast<long long>(counted->nTotal));
    const double floor = Median(jobs[0].ms);
    for (const Job& job : jobs)
        std::printf("  %-8s %7.2f ms  ratio to floor %5.2f  %s\n", job.name, Median(job.ms), Median(job.ms) / floor, job.what);
    std::printf("  (goals: count <= 2 x floor; find and edge < 5 ms)\n");
    return sink == 42 ? 2 : 0;
}
