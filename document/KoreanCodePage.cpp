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

// How many bytes the character starting at this byte takes: a UTF-8 sequence's length from its lead
// byte, or the lead byte and its trail for the Korean code page. Never past the input.
size_t CharacterLength(const char* from, const char* p, size_t left)
{
    const auto lead = static_cast<unsigned char>(*p);
    size_t length = 1;
    if (from[0] == 'U') { // UTF-8
        if (lead >= 0xF0 && lead < 0xF8)
            length = 4;
        else if (lead >= 0xE0)
            length = lead < 0xF0 ? 3 : 1;
        else if (lead >= 0xC0)
            length = 2;
        // Only whole sequences are skipped together; a broken one costs one byte at a time.
        for (size_t i = 1; i < length && i < left; ++i)
            if ((static_cast<unsigned char>(p[i]) & 0xC0) != 0x80)
                return 1;
    } else if (lead >= 0x81 && lead <= 0xFE) {
        length = 2;
    }
    return length <= left ? length : left;
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
            // An unconvertible or cut-off character: one replacement for the whole character.
            const size_t skip = CharacterLength(from, in, inLeft);
            out += replacement;
            in += skip;
            inLeft -= skip;
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
