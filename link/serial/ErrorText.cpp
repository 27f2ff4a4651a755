#include "link/serial/ErrorText.h"

#include <cstring>

namespace veldran {

namespace {

// strerror_r comes in two flavours depending on the C library's feature macros.
[[maybe_unused]] const char* PickErrorText(int nResult, const char* pszBuffer)
{
    return nResult == 0 ? pszBuffer : "Unknown error";
}
[[maybe_unused]] const char* PickErrorText(const char* pszText, const char*) { return pszText; }

// Cuts to at most nBytes without splitting a UTF-8 sequence.
std::string CutOnCharacter(const std::string& text, std::size_t nBytes)
{
    if (text.size() <= nBytes)
        return text;
    std::size_t nCut = nBytes;
    while (nCut > 0 && (static_cast<unsigned char>(text[nCut]) & 0xC0) == 0x80)
        --nCut;
    return text.substr(0, nCut);
}

} // namespace

std::string ComposeErrorText(const std::string& callName, const std::string& systemText, int nPort)
{
    const std::string strHead = "WARNING:  " + callName + " Failed with the following error: \n";
    const std::string strTail = "\nPort: " + std::to_string(nPort) + "\n";
    const std::size_t nFixed = strHead.size() + strTail.size();
    if (nFixed >= kMaxErrorText)
        return CutOnCharacter(strHead, kMaxErrorText - strTail.size()) + strTail;
    return strHead + CutOnCharacter(systemText, kMaxErrorText - nFixed) + strTail;
}

std::string SystemErrorText(int nError)
{
    char szBuffer[256] = {};
    return PickErrorText(strerror_r(nError, szBuffer, sizeof szBuffer), szBuffer);
}

} // namespace veldran
