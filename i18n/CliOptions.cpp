#include "i18n/CliOptions.h"

#include "i18n/CliText.h"

#include <cstdio>

namespace veldran {

bool TakeCommonArgument(const std::string& arg, CliCommon& common)
{
    if (common.bOptionsEnded || arg.empty() || arg[0] != '-' || arg == "-")
        common.words.push_back(arg);
    else if (arg == "--")
        common.bOptionsEnded = true;
    else if (arg == "--help" || arg == "-h")
        common.bHelp = true;
    else if (arg == "--version")
        common.bVersion = true;
    else
        return false;
    return true;
}

std::optional<std::string> CliOptionValue(const std::vector<std::string>& args, size_t& i, const std::string& name,
                                          std::string& error)
{
    const std::string& arg = args[i];
    if (arg.rfind(name + "=", 0) == 0)
        return arg.substr(name.size() + 1);
    if (arg != name)
        return std::nullopt;
    if (i + 1 >= args.size()) {
        error = CliText(Message(text::kCliNeedsValue, {name}));
        return std::nullopt;
    }
    return args[++i];
}

void KeepCliOption(std::optional<std::string>& slot, std::string value, const std::string& name, std::string& error)
{
    if (slot)
        error = CliText(Message(text::kCliRepeatedOption, {name}));
    slot = std::move(value);
}

std::string CliProgramName(const char* argv0, const char* fallback)
{
    const std::string path = argv0 ? argv0 : fallback;
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::optional<int> CliAnswerFirst(const std::string& program, const CliCommon& common, const std::string& error,
                                  const std::string& manual, const char* version)
{
    if (common.bHelp) {
        std::fputs(manual.c_str(), stdout);
        return 0;
    }
    if (common.bVersion) {
        std::printf("%s %s\n", program.c_str(), version);
        return 0;
    }
    if (!error.empty()) {
        std::fputs(CliUsageError(program, error).c_str(), stderr);
        return 2;
    }
    return std::nullopt;
}

} // namespace veldran
