#include "i18n/CliOptions.h"

#include "i18n/CliText.h"

namespace veldran {

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

} // namespace veldran
