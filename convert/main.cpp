// veldran-convert: a capture file (.vxr) to VCD, CSV or a sigrok session, from the command line.
// Uses the document and export libraries only, so it runs without a display.

#include "convert/ConvertArguments.h"
#include "document/CaptureFile.h"
#include "export/ExportCapture.h"
#include "resources/UserMessages.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

// The document reports what is wrong with a file in a message; here it becomes the error line.
class CMessageCollector : public veldran::UserMessageHandler {
public:
    void Show(const veldran::UserMessage& message) override
    {
        std::string text = message.text;
        std::replace(text.begin(), text.end(), '\n', ' ');
        m_strLast = text;
    }
    std::string m_strLast;
};

std::string ProgramName(const char* argv0)
{
    const std::string path = argv0 ? argv0 : "veldran-convert";
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool SameFile(const std::string& a, const std::string& b)
{
    struct stat sa {}, sb {};
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

int Fail(const std::string& program, const std::string& text)
{
    std::fprintf(stderr, "%s: %s\n", program.c_str(), text.c_str());
    return kExitFailure;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string program = ProgramName(argc > 0 ? argv[0] : nullptr);
    const veldran::ConvertArguments args = veldran::ParseConvertArguments(std::vector<std::string>(argv + std::min(argc, 1), argv + argc));
    if (args.bHelp) {
        std::fputs(veldran::ConvertManual().c_str(), stdout);
        return 0;
    }
    if (args.bVersion) {
        std::printf("%s %s\n", program.c_str(), VELDRAN_VERSION);
        return 0;
    }
    if (!args.strError.empty()) {
        std::fprintf(stderr, "%s: %s\n%s\n", program.c_str(), args.strError.c_str(),
                     veldran::ConvertUsageHint(program).c_str());
        return kExitUsage;
    }
    // Writing over the capture it reads would lose the capture.
    if (SameFile(args.strInput, args.strOutput))
        return Fail(program, args.strOutput + ": is the input file; choose another output name");

    CMessageCollector messages;
    veldran::SetUserMessageHandler(&messages);
    veldran::CVELDRANDoc document;
    veldran::LoadResult loaded = veldran::LoadResult::EmptyFile;
    if (!veldran::LoadCaptureFile(document, args.strInput, &loaded))
        return Fail(program, "cannot read " + args.strInput + ": " + messages.m_strLast);
    if (loaded != veldran::LoadResult::Loaded)
        return Fail(program, args.strInput + ": not a VELDRAN capture file" +
                                 (messages.m_strLast.empty() ? std::string(" (empty)") : " (" + messages.m_strLast + ")"));

    veldran::ExportableCapture capture;
    capture.nSampleCount = document.ReadableSampleCount();
    capture.pSamples = document.m_pSamples.data();
    std::copy(document.m_strChannelNames.begin(), document.m_strChannelNames.end(), capture.strNames.begin());
    if (args.nClockFs)
        capture.dClockPeriod = static_cast<double>(*args.nClockFs) / 1e15;
    const veldran::ExportResult result = veldran::ExportCapture(args.strOutput, args.format, capture);
    if (!result)
        return Fail(program, "cannot write " + result.strError);
    return 0;
}
