#pragma once
// The command line of veldran-analyze, read without touching any file: the command, the capture,
// its pattern or channel (or, to decode, its decoders) and the options that command takes. The
// buses of a listing are read once the capture's channel names are known.

#include "annotations/Bus.h"
#include "i18n/CliOptions.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace veldran {

enum class AnalyzeCommand { Find, Measure, Edges, Listing, Decode };

struct AnalyzeArguments {
    CliCommon common; // its words: the command, the capture, the pattern or channel
    AnalyzeCommand command = AnalyzeCommand::Find;
    std::string strCapture;
    std::string strSubject; // find: the pattern; measure and edges: the channel
    std::optional<int64_t> nFrom;  // find: search from this sample on (or back), not at it;
                                   // listing: the first sample listed
    std::optional<int64_t> nTo;    // listing: the last sample listed
    bool bPrevious = false;        // find: the match before rather than after
    bool bCount = false;           // find: how many samples match
    bool bAll = false;             // find: every match
    std::optional<int64_t> nAt;    // measure: the sample measured
    std::optional<uint64_t> nClockFs; // measure, listing, decode: nothing is clock OFF
    std::vector<std::string> busTexts; // listing: each --bus as given, NAME=CHANNELS
    ERadix eRadix = ERadix::Hex;       // listing: the radix of the --bus buses
    std::vector<std::string> decoderStacks;    // decode: the -P values, in order
    std::vector<std::string> annotationChoice; // decode: the -A values
    bool bCsv = false;                 // listing, decode: comma-separated values rather than a table
    std::optional<int64_t> nBetweenX; // edges: the two samples
    std::optional<int64_t> nBetweenY;
    bool bJson = false;
    std::string strError; // non-empty: the command line is wrong, and why (in the program's language)
};

// Reads the arguments after the program name.
[[nodiscard]] AnalyzeArguments ParseAnalyzeArguments(const std::vector<std::string>& args);

// The manual page printed by --help.
[[nodiscard]] std::string AnalyzeManual();

} // namespace veldran
