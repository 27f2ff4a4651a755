#include "link/ListingTokenizer.h"

namespace veldran {

void CListingTokenizer::Reset()
{
    m_current.clear();
    m_lastToken.clear();
    m_nColumn = m_nTokenColumn = m_nLastColumn = m_nLineLength = 0;
    m_bLastEndsLine = false;
    m_bStateSeen = false;
    m_bRejected = false;
}

CListingTokenizer::EEvent CListingTokenizer::Feed(unsigned char byte)
{
    EEvent event = EEvent::None;
    (void)Feed(&byte, 1, event);
    return event;
}

std::size_t CListingTokenizer::Feed(const unsigned char* data, std::size_t size, EEvent& event)
{
    event = EEvent::None;
    if (m_bRejected)
        return size;
    for (std::size_t i = 0; i < size; ++i) {
        const unsigned char byte = data[i];
        if (IsTokenChar(byte)) {
            if (m_current.empty())
                m_nTokenColumn = m_nColumn;
            if (m_current.size() < kMaxTokenLength)
                m_current.push_back(static_cast<char>(byte));
            ++m_nColumn;
            continue;
        }
        event = EndToken(byte);
        if (IsLineEnd(byte)) {
            m_nLineLength = m_nColumn;
            m_nColumn = 0;
        } else {
            ++m_nColumn;
        }
        if (event != EEvent::None)
            return i + 1;
    }
    return size;
}

CListingTokenizer::EEvent CListingTokenizer::EndToken(unsigned char separator)
{
    const bool bLineEnd = IsLineEnd(separator);
    if (m_current.empty() || m_current[0] == 'T') {
        m_current.clear();
        return bLineEnd ? EEvent::LineEnd : EEvent::None;
    }
    if (!m_bStateSeen) {
        if (m_current != kFirstToken) {
            m_current.clear();
            m_bRejected = true;
            return EEvent::NotListing;
        }
        m_bStateSeen = true;
    }
    m_lastToken.swap(m_current);
    m_current.clear();
    m_nLastColumn = m_nTokenColumn;
    m_bLastEndsLine = bLineEnd;
    return EEvent::Token;
}

} // namespace veldran
