// veldran-sim: stands in for the instrument on the serial line. It prints the device the
// application should open (first line of standard output) and sends a STATE listing each time
// Enter is pressed, as the instrument does when its STATE button is pressed.

#include "sim/ListingGenerator.h"
#include "sim/SimLine.h"
#include "help/Sim.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <thread>

namespace {

using veldran::sim::CSimLine;
using veldran::sim::SListingOptions;

constexpr auto kLingerAfterListing = std::chrono::seconds(1);

struct SSimOptions {
    SListingOptions listing;
    int nBaud = 9600;
    std::string strFile;
    std::string strDevice;
    bool bWaitOpen = false;
    bool bByteByByte = false;
    bool bOnce = false;
    int nDelayMs = 0;
    bool bHelp = false;
    bool bVersion = false;
};

bool ParseNumber(const char* pszText, long nLow, long nHigh, long& nValue)
{
    char* pEnd = nullptr;
    nValue = std::strtol(pszText, &pEnd, 10);
    return pEnd != pszText && *pEnd == '\0' && nValue >= nLow && nValue <= nHigh;
}

// A switch without a value; false for any other argument.
bool ParseFlag(const std::string& arg, SSimOptions& options)
{
    if (arg == "--help" || arg == "-h")
        options.bHelp = true;
    else if (arg == "--version")
        options.bVersion = true;
    else if (arg == "--once")
        options.bOnce = true;
    else if (arg == "--wait-open")
        options.bWaitOpen = true;
    else if (arg == "--byte-by-byte")
        options.bByteByByte = true;
    else
        return false;
    return true;
}

bool ParseOption(const std::string& arg, const char* pszValue, SSimOptions& options)
{
    long nValue = 0;
    if (arg == "--lines" && ParseNumber(pszValue, 0, veldran::sim::kMaxListingLines, nValue))
        options.listing.nLines = static_cast<int>(nValue);
    else if (arg == "--seed" && ParseNumber(pszValue, 0, 0xFFFFFFFFL, nValue))
        options.listing.nSeed = static_cast<uint32_t>(nValue);
    else if (arg == "--baud" && ParseNumber(pszValue, 0, 9600, nValue) && (nValue == 0 || nValue == 1200 || nValue == 9600))
        options.nBaud = static_cast<int>(nValue);
    else if (arg == "--delay" && ParseNumber(pszValue, 0, 600000, nValue))
        options.nDelayMs = static_cast<int>(nValue);
    else if (arg == "--pattern")
        return veldran::sim::ParsePattern(pszValue, options.listing.pattern);
    else if (arg == "--file")
        options.strFile = pszValue;
    else if (arg == "--device")
        options.strDevice = pszValue;
    else
        return false;
    return true;
}

bool ParseArguments(int argc, char** argv, SSimOptions& options)
{
    for (int i = 1; i < argc; ++i) {
        if (ParseFlag(argv[i], options))
            continue;
        if (i + 1 >= argc || !ParseOption(argv[i], argv[i + 1], options))
            return false;
        ++i;
    }
    return true;
}

bool ReadListingFile(const std::string& path, std::string& bytes)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return !file.bad();
}

// The listing of the nth press of STATE: a file as it is, or a generated one.
bool MakeListing(const SSimOptions& options, int nPress, std::string& bytes)
{
    if (!options.strFile.empty())
        return ReadListingFile(options.strFile, bytes);
    SListingOptions listing = options.listing;
    listing.nSeed += static_cast<uint32_t>(nPress);
    bytes = veldran::sim::GenerateListing(listing);
    return true;
}

bool SendListing(CSimLine& line, const SSimOptions& options, int nPress)
{
    std::string bytes;
    if (!MakeListing(options, nPress, bytes)) {
        std::cerr << "veldran-sim: cannot read " << options.strFile << "\n";
        return false;
    }
    if (!line.IsFarSideOpen()) {
        std::cerr << "veldran-sim: no program has " << line.GetPath() << " open; nothing sent\n";
        return false;
    }
    std::string error;
    if (!line.Send(bytes, options.nBaud, error, options.bByteByByte)) {
        std::cerr << "veldran-sim: " << error << "\n";
        return false;
    }
    std::cerr << "veldran-sim: sent " << bytes.size() << " bytes\n";
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    std::signal(SIGPIPE, SIG_IGN);
    SSimOptions options;
    if (!ParseArguments(argc, argv, options)) {
        std::cerr << veldran::help::kSimUsage << "Try 'veldran-sim --help' for more information.\n";
        return 2;
    }
    if (options.bHelp) {
        std::cout << veldran::help::kSimHelp;
        return 0;
    }
    if (options.bVersion) {
        std::cout << "veldran-sim " << VELDRAN_VERSION << "\n";
        return 0;
    }
    CSimLine line;
    std::string error;
    const bool bOpened = options.strDevice.empty()
        ? line.OpenPseudoTerminal(error)
        : line.OpenDevice(options.strDevice, options.nBaud, error);
    if (!bOpened) {
        std::cerr << "veldran-sim: " << error << "\n";
        return 1;
    }
    std::printf("%s\n", line.GetPath().c_str());
    std::fflush(stdout);

    if (options.bWaitOpen)
        line.WaitForFarSide();
    if (options.bOnce) {
        std::this_thread::sleep_for(std::chrono::milliseconds(options.nDelayMs));
        const bool bSent = SendListing(line, options, 0);
        line.WaitDrained();
        // Keep the line up past the receiver's quiet interval, so the listing ends by the line
        // going quiet as with the instrument, not by a hang-up (which a receiver reports as a
        // lost line).
        std::this_thread::sleep_for(kLingerAfterListing);
        return bSent ? 0 : 1;
    }
    std::cerr << "veldran-sim: press Enter to send a STATE listing (Ctrl-D quits)\n";
    std::string input;
    for (int nPress = 0; std::getline(std::cin, input); ++nPress)
        SendListing(line, options, nPress);
    return 0;
}
