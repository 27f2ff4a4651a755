#pragma once
// Options of the command-line programs as they read them: "--name VALUE" or "--name=VALUE", each
// given at most once, their errors said in the program's language (CliText.h).

#include <optional>
#include <string>
#include <vector>

namespace veldran {

// The value of args[i] when it is the option `name`, given as "--name VALUE" or "--name=VALUE";
// advances i past the value. Nothing when args[i] is another option, or when the value is missing
// (then error says so).
[[nodiscard]] std::optional<std::string> CliOptionValue(const std::vector<std::string>& args, size_t& i,
                                                        const std::string& name, std::string& error);

// Keeps the value of an option that takes one; a second value is an error, not a replacement.
void KeepCliOption(std::optional<std::string>& slot, std::string value, const std::string& name, std::string& error);

} // namespace veldran
