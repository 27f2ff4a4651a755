// veldran-convert: a capture file (.vxr) to VCD, CSV or a sigrok session, from the command line.
// Uses the document and export libraries only, so it runs without a display.

#include "convert/ConvertArguments.h"
#include "document/CaptureFile.h"
#include "export/ExportCapture.h"
#include "files/FileWriter.h"
#include "files/OutputPath.h"
#include "files/StopSignals.h"
#include "i18n/CliOptions.h"
#include "i18n/CliText.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kExitFailure = 1;
// Written from a capture file that holds less than its header claims (the warning says what).
constexpr int kExitWrittenIncomplete = 5;

int Fail(const std::string& program, const std::string& text)
{
    std::fprintf(stderr, "%s: %s\n", program.c_str(), text.c_str());
    return kExitFailure;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string program = veldran::CliProgramName(argc > 0 ? argv[0] : nullptr, "veldran-convert");
    const veldran::ConvertArguments args = veldran::ParseConvertArguments(std::vector<std::string>(argv + std::min(argc, 1), argv + argc));
    if (const auto exit = veldran::CliAnswerFirst(program, args.common, args.strError, veldran::ConvertManual(), VELDRAN_VERSION))
        return *exit;
    // Writing over the capture it reads would lose the capture; so would the save file beside a
    // VCD. Both are refused, as is an output the writer would refuse, before the capture is read.
    for (const std::string& output : veldran::ExportFilePaths(args.strOutput, args.format)) {
        if (veldran::SameFile(args.strInput, output))
            return Fail(program, output + ": is the input file; choose another output name");
        if (const int error = veldran::CheckOutputFile(output))
            return Fail(program, "cannot write " + output + ": " + veldran::ErrorText(error));
    }
    // Ctrl+C, SIGTERM or SIGHUP ends the run by that signal and without a file, until the output
    // starts replacing its target; from then on the run completes.
    veldran::EndOnStopSignals();

    veldran::CVELDRANDoc document;
    const veldran::CaptureLoad loaded = veldran::LoadCaptureFile(document, args.strInput);
    if (!loaded || loaded.result != veldran::LoadResult::Loaded)
        return Fail(program, veldran::CliCaptureRefused(args.strInput, loaded.bRead, loaded.messages));

    // What the window would say of the file (it holds less than it claims) is said here too.
    for (const veldran::Message& message : loaded.messages)
        std::fprintf(stderr, "%s: %s: %s\n", program.c_str(), args.strInput.c_str(), veldran::CliLine(message).c_str());

    veldran::ExportableCapture capture;
    capture.nSampleCount = document.ReadableSampleCount();
    capture.pSamples = document.Samples().data();
    std::copy(document.ChannelNames().begin(), document.ChannelNames().end(), capture.strNames.begin());
    if (args.nClockFs)
        capture.dClockPeriod = static_cast<double>(*args.nClockFs) / 1e15;
    const veldran::ExportResult result = veldran::ExportCapture(args.strOutput, args.format, capture);
    if (!result)
        return Fail(program, "cannot write " + result.strError);
    return loaded.messages.empty() ? 0 : kExitWrittenIncomplete;
}
