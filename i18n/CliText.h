#pragma once
// The texts of the command-line programs in the language the window would speak (UiLanguage.h,
// the same choice from the same environment), without Qt: the English face comes from the
// catalogue's own entries, compiled in as a table.

#include "i18n/UiLanguage.h"
#include "resources/Message.h"

#include <string>
#include <vector>

namespace veldran {

// The language of this process, chosen once from its environment.
[[nodiscard]] UiLanguage CliLanguage();

// One text of the program in the language: its English entry, or the source itself for Korean
// and for a text the catalogue lacks.
[[nodiscard]] std::string CliTranslate(const char* source, UiLanguage language);

// The message as MessageText shows it in the window: the screen text translated, then the values
// filled in, then what follows it on lines of its own.
[[nodiscard]] std::string CliText(const Message& message, UiLanguage language);
[[nodiscard]] std::string CliText(const Message& message);

// A usage error as the programs print it: "PROGRAM: ERROR" and one line pointing at --help, each
// ending in a newline. The whole manual is for --help only.
[[nodiscard]] std::string CliUsageError(const std::string& program, const std::string& error);

// The message on one line, its line breaks as blanks, for an error line on the terminal.
[[nodiscard]] std::string CliLine(const Message& message);

// Why a capture file given to a program was not taken: it could not be read (bRead false), or it
// is no capture; the last of the loader's messages says more.
[[nodiscard]] std::string CliCaptureRefused(const std::string& path, bool bRead, const std::vector<Message>& messages);

} // namespace veldran
