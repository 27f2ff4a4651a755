#include "document/KoreanCodePage.h"

#include <cerrno>
#include <iconv.h>

namespace veldran {
namespace {

// Plain ASCII needs no conversion; captures are mostly ASCII, so this keeps loading fast.
bool IsAscii(const std::string& s)
{
    for (unsigned char c : s)
        if (c >= 0x80)
            return false;
    return true;
}

std::string Convert(const std::string& input, const char* to, const char* from, const std::string& replacement)
{
    if (IsAscii(input))
        return input;
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return input;
    std::string out;
    out.reserve(input.size() * 2);
    char* in = const_cast<char*>(input.data());
    size_t inLeft = input.size();
    char buffer[256];
    while (inLeft > 0) {
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        const size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, sizeof buffer - outLeft);
        if (rc == static_cast<size_t>(-1)) {
            if (errno == E2BIG)
                continue;
            // An unconvertible or cut-off sequence: replace one byte and go on.
            out += replacement;
            ++in;
            --inLeft;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    iconv_close(cd);
    return out;
}

} // namespace

std::string Utf8ToCp949(const std::string& utf8)
{
    return Convert(utf8, "CP949", "UTF-8", "?");
}

std::string Cp949ToUtf8(const std::string& cp949)
{
    return Convert(cp949, "UTF-8", "CP949", "\xEF\xBF\xBD");
}

} // namespace veldran
