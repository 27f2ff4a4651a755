#include "i18n/CliText.h"

#include "i18n/EnglishCatalogue.h"

#include <algorithm>
#include <cstring>

namespace veldran {

UiLanguage CliLanguage()
{
    static const UiLanguage language = ChooseUiLanguage(ProcessLanguageEnvironment());
    return language;
}

std::string CliTranslate(const char* source, UiLanguage language)
{
    if (language == UiLanguage::English) {
        const SCatalogueEntry* const pEnd = kEnglishEntries + kEnglishEntryCount;
        const SCatalogueEntry* const pFound = std::lower_bound(
            kEnglishEntries, pEnd, source,
            [](const SCatalogueEntry& entry, const char* text) { return std::strcmp(entry.source, text) < 0; });
        if (pFound != pEnd && std::strcmp(pFound->source, source) == 0 && *pFound->translation)
            return pFound->translation;
    }
    return source;
}

std::string CliText(const Message& message, UiLanguage language)
{
    return ComposeMessageText(message, [language](const char* source) { return CliTranslate(source, language); });
}

std::string CliText(const Message& message)
{
    return CliText(message, CliLanguage());
}

std::string CliUsageError(const std::string& program, const std::string& error)
{
    return program + ": " + error + "\n" + CliText(Message(text::kCliTryHelp, {program})) + "\n";
}

std::string CliLine(const Message& message)
{
    std::string text = CliText(message);
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

std::string CliCaptureRefused(const std::string& path, bool bRead, const std::vector<Message>& messages)
{
    const std::string said = messages.empty() ? std::string() : CliLine(messages.back());
    if (!bRead)
        return "cannot read " + path + ": " + said;
    return path + ": not a VELDRAN capture file" + (said.empty() ? std::string(" (empty)") : " (" + said + ")");
}

} // namespace veldran
