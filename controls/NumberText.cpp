#include "controls/NumberText.h"

#include <cstdio>
#include <locale.h>

namespace veldran {
namespace {

// The "C" locale made current for this thread only while the C library reads or writes a number;
// the process locale (which Qt sets from the environment) stays as it is.
class CLocaleScope {
public:
    CLocaleScope()
    {
        static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
        if (cLocale)
            m_previous = uselocale(cLocale);
    }
    ~CLocaleScope()
    {
        if (m_previous)
            uselocale(m_previous);
    }
    CLocaleScope(const CLocaleScope&) = delete;
    CLocaleScope& operator=(const CLocaleScope&) = delete;

private:
    locale_t m_previous = locale_t(nullptr);
};

} // namespace

ScannedNumber ScanNumberText(const std::string& text)
{
    ScannedNumber result;
    if (text.find('\0') != std::string::npos)
        return result;
    // Only whether a word follows matters, so one character of it is enough.
    char word[2] = {};
    CLocaleScope scope;
    result.nItems = std::sscanf(text.c_str(), "%f%1s", &result.fValue, word);
    return result;
}

std::string FormatNumber(const char* format, double value)
{
    CLocaleScope scope;
    const int length = std::snprintf(nullptr, 0, format, value);
    if (length <= 0)
        return std::string();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    std::snprintf(text.data(), text.size(), format, value);
    text.resize(static_cast<size_t>(length));
    return text;
}

int CountDecimalsG(double value)
{
    const std::string rendering = FormatNumber("%G", value);
    const size_t point = rendering.find('.');
    if (point == std::string::npos)
        return 0;
    return static_cast<int>(rendering.size() - point - 1);
}

} // namespace veldran
