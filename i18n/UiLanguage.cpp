#include "i18n/UiLanguage.h"

#include <cctype>
#include <cstdlib>
#include <optional>

namespace veldran {
namespace {

// "en_GB.UTF-8@euro" → "en"; letters are compared without case.
std::string LanguageCode(const std::string& name)
{
    std::string code;
    for (const char c : name) {
        if (c == '_' || c == '-' || c == '.' || c == '@')
            break;
        code += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return code;
}

std::optional<UiLanguage> LanguageNamed(const std::string& name)
{
    const std::string code = LanguageCode(name);
    if (code == "ko")
        return UiLanguage::Korean;
    if (code == "en")
        return UiLanguage::English;
    return std::nullopt;
}

std::string Variable(const char* name)
{
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

} // namespace

UiLanguage ChooseUiLanguage(const LanguageEnvironment& env)
{
    if (const auto chosen = LanguageNamed(env.veldranLang))
        return *chosen;

    // LANGUAGE first, whatever the locale: the C library ignores it under the C locale, but a
    // user who sets it (LANGUAGE=en_US:en with no locale at all, as a container or a remote
    // shell has) asks for that language.
    size_t start = 0;
    while (start <= env.language.size()) {
        const size_t colon = env.language.find(':', start);
        const size_t end = colon == std::string::npos ? env.language.size() : colon;
        if (const auto wanted = LanguageNamed(env.language.substr(start, end - start)))
            return *wanted;
        start = end + 1;
    }
    const std::string& locale = !env.lcAll.empty()        ? env.lcAll
                                : !env.lcMessages.empty() ? env.lcMessages
                                                          : env.lang;
    // The C and POSIX locales, and none, name no language: Korean.
    return LanguageNamed(locale).value_or(UiLanguage::Korean);
}

LanguageEnvironment ProcessLanguageEnvironment()
{
    return {Variable("VELDRAN_LANG"), Variable("LANGUAGE"), Variable("LC_ALL"), Variable("LC_MESSAGES"),
            Variable("LANG")};
}

} // namespace veldran
