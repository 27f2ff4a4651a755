// veldran-analyze: finds search patterns, measures pulses, counts edges and lists bus values in a
// capture file (.vxr) from the command line. Uses the document and analysis libraries only, so it runs without a display.

#include "analysis/SampleStore.h"
#include "annotations/SidecarFile.h"
#include "analyze/AnalyzeArguments.h"
#include "analyze/AnalyzeListing.h"
#include "analyze/AnalyzeRun.h"
#include "document/CaptureFile.h"
#include "i18n/CliOptions.h"
#include "i18n/CliText.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// The listing goes to standard output as it is made: a long capture is never all in memory.
int List(const std::string& program, const veldran::AnalyzeArguments& args, const veldran::CVELDRANDoc& document,
         const veldran::SampleStore& store)
{
    const veldran::ListingBuses buses = veldran::ChooseListingBuses(
        args, document.ChannelNames(), veldran::SidecarPath(args.strCapture), document.ReadableSampleCount());
    if (!buses.strWarning.empty())
        std::fprintf(stderr, "%s: %s\n", program.c_str(), buses.strWarning.c_str());
    if (!buses.strError.empty()) {
        std::fprintf(stderr, "%s: %s\n", program.c_str(), buses.strError.c_str());
        return veldran::kAnalyzeUsage;
    }
    const veldran::AnalyzeOutcome outcome = veldran::RunListing(
        args, store, buses.buses, [](std::string_view piece) { std::fwrite(piece.data(), 1, piece.size(), stdout); });
    if (!outcome.strError.empty())
        std::fprintf(stderr, "%s: %s\n", program.c_str(), outcome.strError.c_str());
    return outcome.nExit;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string program = veldran::CliProgramName(argc > 0 ? argv[0] : nullptr, "veldran-analyze");
    const veldran::AnalyzeArguments args =
        veldran::ParseAnalyzeArguments(std::vector<std::string>(argv + std::min(argc, 1), argv + argc));
    if (const auto exit = veldran::CliAnswerFirst(program, args.common, args.strError, veldran::AnalyzeManual(), VELDRAN_VERSION))
        return *exit;

    veldran::CVELDRANDoc document;
    const veldran::CaptureLoad loaded = veldran::LoadCaptureFile(document, args.strCapture);
    if (!loaded || loaded.result != veldran::LoadResult::Loaded) {
        std::fprintf(stderr, "%s: %s\n", program.c_str(),
                     veldran::CliCaptureRefused(args.strCapture, loaded.bRead, loaded.messages).c_str());
        return veldran::kAnalyzeUsage;
    }
    // A file that holds less than it claims is analysed as far as it goes, as the window shows it.
    for (const veldran::Message& message : loaded.messages)
        std::fprintf(stderr, "%s: %s: %s\n", program.c_str(), args.strCapture.c_str(), veldran::CliLine(message).c_str());

    const veldran::SampleStore store{document.Samples().data(), document.ReadableSampleCount()};
    if (args.command == veldran::AnalyzeCommand::Listing)
        return List(program, args, document, store);
    const veldran::AnalyzeOutcome outcome = veldran::RunAnalysis(args, store, document.ChannelNames());
    // A decoder that failed part way leaves what it decoded on standard output, then says why.
    std::fwrite(outcome.strOutput.data(), 1, outcome.strOutput.size(), stdout);
    if (!outcome.strError.empty()) {
        std::fflush(stdout);
        std::fprintf(stderr, "%s: %s\n", program.c_str(), outcome.strError.c_str());
    }
    return outcome.nExit;
}
