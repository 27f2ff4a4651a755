#pragma once
// The command line of veldran-convert, read without touching any file.

#include "export/ExportCapture.h"
#include "i18n/CliOptions.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace veldran {

struct ConvertArguments {
    CliCommon common; // the file names are its words
    std::string strInput;
    std::string strOutput;
    ExportFormat format = ExportFormat::Vcd;
    std::optional<uint64_t> nClockFs; // nothing: clock OFF
    std::string strError;             // non-empty: the command line is wrong, and why (in the program's language)
};

// Reads the arguments after the program name.
[[nodiscard]] ConvertArguments ParseConvertArguments(const std::vector<std::string>& args);

// The manual page printed by --help.
[[nodiscard]] std::string ConvertManual();

} // namespace veldran
