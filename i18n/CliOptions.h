#pragma once
// Options of the command-line programs as they read them: "--name VALUE" or "--name=VALUE", each
// given at most once, their errors said in the program's language (CliText.h).

#include <optional>
#include <string>
#include <vector>

namespace veldran {

// What every program's command line has: its words (the arguments that are no option, and all
// after "--"), --help or -h, and --version.
struct CliCommon {
    std::vector<std::string> words;
    bool bOptionsEnded = false;
    bool bHelp = false;
    bool bVersion = false;
};

// Takes arg into common when it is a word or one of those switches; false for any other option.
[[nodiscard]] bool TakeCommonArgument(const std::string& arg, CliCommon& common);

// The value of args[i] when it is the option `name`, given as "--name VALUE" or "--name=VALUE";
// advances i past the value. Nothing when args[i] is another option, or when the value is missing
// (then error says so).
[[nodiscard]] std::optional<std::string> CliOptionValue(const std::vector<std::string>& args, size_t& i,
                                                        const std::string& name, std::string& error);

// Keeps the value of an option that takes one; a second value is an error, not a replacement.
void KeepCliOption(std::optional<std::string>& slot, std::string value, const std::string& name, std::string& error);

// The name the program was started under, without its folder (fallback when there is none).
[[nodiscard]] std::string CliProgramName(const char* argv0, const char* fallback);

// What a program does before its work: --help prints the manual and --version the version, both
// ending in 0; a wrong command line (error not empty) prints why and ends in 2. Nothing: go on.
[[nodiscard]] std::optional<int> CliAnswerFirst(const std::string& program, const CliCommon& common,
                                                const std::string& error, const std::string& manual, const char* version);

} // namespace veldran
