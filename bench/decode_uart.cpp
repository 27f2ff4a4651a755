// Decoding UART end to end: `veldran-analyze decode` on a 1,000,000-sample capture carrying about
// 10,000 UART bytes, against sigrok-cli on the same capture exported as a sigrok session, each a
// whole process with the same -P (and the same -A), started and reaped alike, runs interleaved,
// medians. Then the annotations of one run in this process: how many, and the bytes their store
// takes with its string table.
//
//   decode_uart [RUNS]    prints the figures (RUNS: 7 unless given)

#include "decode/DecodeRun.h"
#include "tests/common/ChildProcess.h"
#include "tests/common/ProtocolWaves.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int64_t kSamples = 1'000'000;
constexpr double kSamplesPerBit = 9.0; // 1 MHz clock, 111,111 baud: a frame is 90 samples
constexpr int kGap = 10;               // idle samples between frames

veldran::test::CWaves Traffic()
{
    veldran::test::CWaves waves(1);
    waves.Hold(100);
    unsigned value = 1;
    while (waves.Count() + 200 < kSamples) {
        value = value * 1103515245u + 12345u;
        veldran::test::AppendUartByte(waves, 0, static_cast<uint8_t>(value >> 16), kSamplesPerBit, veldran::test::Parity::None);
        waves.Hold(kGap);
    }
    waves.HoldUntil(kSamples);
    return waves;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Side {
    const char* name;
    std::vector<std::string> argv;
    std::vector<double> seconds;
    size_t nLines = 0;
};

bool RunOnce(Side& side)
{
    const veldran::test::ChildRun run = veldran::test::Run(side.argv, {}, 300);
    if (run.nExitCode != 0) {
        std::fprintf(stderr, "%s failed (%d): %s\n", side.name, run.nExitCode, run.errors.c_str());
        return false;
    }
    side.seconds.push_back(run.seconds);
    side.nLines = static_cast<size_t>(std::count(run.output.begin(), run.output.end(), '\n'));
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    char folder[] = "/tmp/decode_uart-XXXXXX";
    if (!mkdtemp(folder))
        return 1;
    const std::string capture = std::string(folder) + "/uart.vxr";
    const std::string session = std::string(folder) + "/uart.sr";
    const veldran::test::CWaves waves = Traffic();
    veldran::ChannelNames names;
    names[0] = "D0"; // sigrok-cli knows the channel by the name the session gives it
    if (!veldran::test::SaveListing(waves.CellsOf(), names, capture) ||
        veldran::test::Run({VELDRAN_CONVERT, capture, session, "--clock", "1us"}).nExitCode != 0) {
        std::fprintf(stderr, "cannot write the capture or its sigrok session in %s\n", folder);
        return 1;
    }
    const std::string decoder = "uart:rx=D0:baudrate=111111";
    for (const bool chosen : {true, false}) {
        std::vector<std::string> choice;
        if (chosen)
            choice = {"-A", "uart=rx-data"};
        Side ours{"veldran-analyze decode", {VELDRAN_ANALYZE, "decode", capture, "-P", decoder, "--clock", "1us"}, {}};
        Side theirs{"sigrok-cli", {"sigrok-cli", "-i", session, "-P", decoder, "--protocol-decoder-samplenum"}, {}};
        ours.argv.insert(ours.argv.end(), choice.begin(), choice.end());
        theirs.argv.insert(theirs.argv.end(), choice.begin(), choice.end());
        for (int run = 0; run < runs; ++run)
            if (!RunOnce(ours) || !RunOnce(theirs))
                return 1;
        std::printf("%s (%d runs each, interleaved, medians):\n", chosen ? "-A uart=rx-data" : "every annotation", runs);
        for (const Side* side : {&ours, &theirs})
            std::printf("  %-24s %7.3f s  (min %.3f, max %.3f)  %zu lines\n", side->name, Median(side->seconds),
                        *std::min_element(side->seconds.begin(), side->seconds.end()),
                        *std::max_element(side->seconds.begin(), side->seconds.end()), side->nLines);
    }

    const std::vector<uint8_t> levels = waves.Levels();
    veldran::DecodeRequest request;
    request.capture.store = {levels.data(), waves.Count()};
    request.capture.nClockFs = 1'000'000'000; // 1 us
    request.stacks.push_back({{"uart", {{"baudrate", "111111"}}, {{"rx", "D0"}}}});
    const veldran::DecodeOutcome outcome = veldran::RunDecode(request);
    if (outcome.error)
        return 1;
    const veldran::CAnnotationStore& store = outcome.annotations;
    size_t bytes = 0;
    for (const veldran::DecodedAnnotation& annotation : store.Annotations())
        bytes += store.ClassId(annotation) == "rx-data";
    std::printf("store: %zu annotations (%zu UART bytes), %zu distinct texts, %.2f MiB (%.1f bytes an annotation)\n",
                store.Count(), bytes, store.DistinctTexts(), double(store.BytesUsed()) / (1024.0 * 1024.0),
                double(store.BytesUsed()) / double(store.Count()));
    std::filesystem::remove_all(folder);
    return 0;
}
