// Opening a capture of 99,999 samples: the time of the loader against `wc -l` on the same file
// (goal: within 10 times), and the peak memory of a process that only opens it (goal: under 64 MiB).
//
//   capture_open             writes the file to a temporary folder and prints the figures
//   capture_open --open F    (used by the above) opens F once and prints its peak memory in KiB

#include "document/CaptureFile.h"
#include "resources/UserMessages.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kSamples = 99999;
constexpr int kRuns = 9;

class CSilentMessages : public veldran::UserMessageHandler {
public:
    void Show(const veldran::UserMessage& message) override { std::fprintf(stderr, "message: %s\n", message.text.c_str()); }
};

std::string CellToken(std::mt19937& random)
{
    std::string token(16, '0');
    for (char& c : token)
        c = (random() & 1) ? '1' : '0';
    return token;
}

bool WriteSampleFile(const std::string& path)
{
    veldran::CVELDRANDoc doc;
    veldran::TokenList& tokens = *doc.m_pTokenList;
    tokens = {"STATE", "LISTING", "00001", "RADIX", "BIN", "CELLS", "CELL13", "WIDTH", "17", "BITS16", "OFF", "END"};
    std::mt19937 random(20240601);
    char number[16];
    for (int i = 0; i < kSamples; ++i) {
        std::snprintf(number, sizeof number, "%04d", i % 10000);
        tokens.emplace_back(number);
        for (int cell = 0; cell < veldran::kCellCount; ++cell)
            tokens.push_back(CellToken(random));
    }
    veldran::ChannelNames names;
    for (int ch = 0; ch < veldran::kChannelCount; ++ch)
        names[static_cast<size_t>(ch)] = "채널 " + std::to_string(ch);
    return veldran::SaveCaptureFile(doc, names, path);
}

double Seconds(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double TimeWc(const std::string& path)
{
    const std::string command = "wc -l '" + path + "' > /dev/null";
    const auto start = std::chrono::steady_clock::now();
    if (std::system(command.c_str()) != 0)
        std::fprintf(stderr, "wc -l failed\n");
    return Seconds(std::chrono::steady_clock::now() - start);
}

double TimeOpen(const std::string& path)
{
    veldran::CVELDRANDoc doc; // the application's document exists before File Open
    const auto start = std::chrono::steady_clock::now();
    veldran::LoadResult result = veldran::LoadResult::EmptyFile;
    const bool ok = veldran::LoadCaptureFile(doc, path, &result);
    const double seconds = Seconds(std::chrono::steady_clock::now() - start);
    if (!ok || result != veldran::LoadResult::Loaded || doc.m_nSampleCount != kSamples) {
        std::fprintf(stderr, "open failed (count %d)\n", doc.m_nSampleCount);
        return -1;
    }
    return seconds;
}

// The peak resident size of this process in KiB. ru_maxrss would also count what a parent held
// before it started this process, so the kernel's high-water mark of the process' own memory is read.
long OwnPeakKiB()
{
    FILE* status = std::fopen("/proc/self/status", "r");
    long kib = -1;
    char line[256];
    while (status && std::fgets(line, sizeof line, status))
        if (std::sscanf(line, "VmHWM: %ld kB", &kib) == 1)
            break;
    if (status)
        std::fclose(status);
    return kib;
}

// Peak resident size in KiB of a fresh process running this program with the given argument.
long ChildPeakKiB(const char* self, const std::string& args)
{
    const std::string command = std::string("'") + self + "' " + args;
    FILE* child = ::popen(command.c_str(), "r");
    long kib = -1;
    if (child && std::fscanf(child, "%ld", &kib) != 1)
        kib = -1;
    if (!child || ::pclose(child) != 0)
        return -1;
    return kib;
}

} // namespace

int main(int argc, char** argv)
{
    static CSilentMessages messages;
    veldran::SetUserMessageHandler(&messages);
    if (argc == 3 && std::string(argv[1]) == "--open") {
        const bool ok = TimeOpen(argv[2]) >= 0;
        std::printf("%ld\n", OwnPeakKiB());
        return ok ? 0 : 1;
    }
    if (argc == 2 && std::string(argv[1]) == "--idle") {
        std::printf("%ld\n", OwnPeakKiB());
        return 0;
    }

    char folderTemplate[] = "/tmp/veldran-bench-XXXXXX";
    const char* folder = ::mkdtemp(folderTemplate);
    if (!folder)
        return 1;
    const std::string path = std::string(folder) + "/capture.vxr";
    if (!WriteSampleFile(path))
        return 1;

    std::vector<double> wc;
    std::vector<double> open;
    for (int run = 0; run < kRuns; ++run) {
        wc.push_back(TimeWc(path));
        open.push_back(TimeOpen(path));
    }
    const long idleKiB = ChildPeakKiB(argv[0], "--idle");
    const long openKiB = ChildPeakKiB(argv[0], "--open '" + path + "'");
    const long fileBytes = [&] {
        FILE* f = std::fopen(path.c_str(), "rb");
        std::fseek(f, 0, SEEK_END);
        const long size = std::ftell(f);
        std::fclose(f);
        return size;
    }();

    std::printf("capture_open: %d samples, file %.1f MiB, %d runs\n", kSamples, fileBytes / 1048576.0, kRuns);
    std::printf("  wc -l (with process start) median  %8.2f ms\n", Median(wc) * 1e3);
    std::printf("  open capture file median           %8.2f ms\n", Median(open) * 1e3);
    std::printf("  ratio open / wc -l                 %8.2f   (goal <= 10)\n", Median(open) / Median(wc));
    std::printf("  peak memory, process that opens    %8.1f MiB (goal < 64)\n", openKiB / 1024.0);
    std::printf("  peak memory, idle process          %8.1f MiB\n", idleKiB / 1024.0);

    std::remove(path.c_str());
    ::rmdir(folder);
    return 0;
}
