#pragma once
// One veldran-analyze command on a capture's samples: what it prints and how it ends.

#include "analysis/SampleStore.h"
#include "analyze/AnalyzeArguments.h"
#include "document/CaptureDocument.h"

#include <string>

namespace veldran {

constexpr int kAnalyzeFound = 0;
constexpr int kAnalyzeNothingFound = 1; // find: no sample matches
constexpr int kAnalyzeUsage = 2;        // the command line does not fit the capture, or is wrong
constexpr int kAnalyzeDecoderFailed = 3; // decode: a decoder failed part way (what it gave is printed)

struct AnalyzeOutcome {
    int nExit = kAnalyzeFound;
    std::string strOutput; // for standard output
    std::string strError;  // non-empty with kAnalyzeUsage and kAnalyzeDecoderFailed: why, in the program's language
};

[[nodiscard]] AnalyzeOutcome RunAnalysis(const AnalyzeArguments& args, const SampleStore& store, const ChannelNames& names);

} // namespace veldran
