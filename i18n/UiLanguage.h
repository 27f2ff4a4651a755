#pragma once
// Which language the program speaks. Korean is the program's own face; English is offered to users
// whose desktop speaks English. The choice is made once at start-up from the environment, and
// VELDRAN_LANG=ko|en overrides what the desktop says.

#include <string>

namespace veldran {

enum class UiLanguage { Korean, English };

// The variables that decide, as the process found them ("" when unset).
struct LanguageEnvironment {
    std::string veldranLang; // VELDRAN_LANG
    std::string language;    // LANGUAGE: a colon-separated list of languages, most wanted first
    std::string lcAll;       // LC_ALL
    std::string lcMessages;  // LC_MESSAGES
    std::string lang;        // LANG
};

// VELDRAN_LANG "ko" or "en" decides alone. Otherwise the first entry of LANGUAGE that names Korean
// or English decides, whatever the locale (also under the C locale, where the C library would
// ignore it). Failing that, the messages locale, the first of LC_ALL, LC_MESSAGES and LANG that is
// set: English for an English locale, Korean for the C or POSIX locale, none, and anything else.
// Pure: the command-line programs use it without Qt.
[[nodiscard]] UiLanguage ChooseUiLanguage(const LanguageEnvironment& env);

// The environment of this process.
[[nodiscard]] LanguageEnvironment ProcessLanguageEnvironment();

} // namespace veldran
