#pragma once
// The program's texts in the language chosen at start-up. Every text the user reads goes through
// here where it is shown; its source is the program's own Korean (or English) text, and the
// English catalogue, compiled into the program, gives the English face.

#include "i18n/UiLanguage.h"

#include <QString>

#include <string>

namespace veldran {

// The catalogue context that holds every text of the program, and where it is compiled in.
inline constexpr const char* kTranslationContext = "VELDRAN";
inline constexpr const char* kEnglishCatalogue = ":/i18n/veldran_en.qm";

// Installs the catalogues of a language, replacing those of an earlier call: for English the
// program's own catalogue (Qt's dialogs speak English built in); for Korean Qt's Korean catalogue,
// so that its dialogs and standard buttons speak Korean like the rest of the program. Returns false
// when a catalogue the language needs could not be loaded; the program then shows its sources.
bool UseUiLanguage(UiLanguage language);
[[nodiscard]] UiLanguage CurrentUiLanguage();

// The document's title as the window and the prompts show it: the untitled document's title is
// translated, a file's name never is.
[[nodiscard]] QString ShownTitle(const std::string& title);

// One text of the program, translated. A message for a box is translated whole by MessageText
// (i18n/MessageText.h), which knows its text and its values apart.
[[nodiscard]] QString Tr(const char* source);
[[nodiscard]] QString Tr(const std::string& source);

} // namespace veldran
