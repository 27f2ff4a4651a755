// veldran-convert: a capture file (.vxr) to VCD, CSV or a sigrok session, from the command line.
// Uses the document and export libraries only, so it runs without a display.

#include "annotations/SidecarFile.h"
#include "convert/ConvertArguments.h"
#include "document/CaptureFile.h"
#include "export/ExportCapture.h"
#include "files/FileWriter.h"
#include "files/OutputPath.h"
#include "files/StopSignals.h"
#include "i18n/CliOptions.h"
#include "i18n/CliText.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>
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

// Pictures are drawn by a program of its own, which links Qt, so that this one does not: the one
// beside this program (a build tree) or the installed one, run with the same arguments.
int RunPictureProgram(const std::string& program, char** argv)
{
    std::vector<std::string> candidates;
    char self[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", self, sizeof self - 1);
    if (length > 0) {
        const std::string path(self, static_cast<size_t>(length));
        candidates.push_back(path.substr(0, path.find_last_of('/') + 1) + "veldran-convert-picture");
    }
    candidates.emplace_back(VELDRAN_PICTURE_PROGRAM);
    int error = ENOENT;
    for (const std::string& candidate : candidates) {
        if (::access(candidate.c_str(), X_OK) != 0)
            continue;
        argv[0] = const_cast<char*>(candidate.c_str());
        ::execv(candidate.c_str(), argv);
        error = errno;
    }
    return Fail(program, veldran::CliText(veldran::Message(veldran::text::kCliNoPictureProgram,
                                                          {VELDRAN_PICTURE_PROGRAM, std::strerror(error)})));
}

} // namespace

int main(int argc, char** argv)
{
    const std::string program = veldran::CliProgramName(argc > 0 ? argv[0] : nullptr, "veldran-convert");
    const veldran::ConvertArguments args = veldran::ParseConvertArguments(std::vector<std::string>(argv + std::min(argc, 1), argv + argc));
    if (const auto exit = veldran::CliAnswerFirst(program, args.common, args.strError, veldran::ConvertManual(), VELDRAN_VERSION))
        return *exit;
    if (args.picture)
        return RunPictureProgram(program, argv);
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
    // The buses and markers kept beside the capture go into the dump and its save file. A sidecar
    // that cannot be used is said and left out: the conversion goes on without it.
    if (args.format == veldran::ExportFormat::Vcd) {
        veldran::SidecarRead sidecar = veldran::ReadSidecar(veldran::SidecarPath(args.strInput), capture.nSampleCount);
        if (sidecar.message)
            std::fprintf(stderr, "%s: %s\n", program.c_str(), veldran::CliLine(*sidecar.message).c_str());
        capture.annotations = std::move(sidecar.annotations);
    }
    const veldran::ExportResult result = veldran::ExportCapture(args.strOutput, args.format, capture);
    if (!result)
        return Fail(program, "cannot write " + result.strError);
    return loaded.messages.empty() ? 0 : kExitWrittenIncomplete;
}
