#include "link/ListingTokenizer.h"

namespace veldran {

void CListingTokenizer::Reset()
{
    m_current.clear();
    m_lastToken.clear();
    m_bStateSeen = false;
    m_bRejected = false;
}

CListingTokenizer::EEvent CListingTokenizer::Feed(unsigned char byte)
{
    if (m_bRejected)
        return EEvent::None;
    if (IsTokenChar(byte)) {
        if (m_current.size() < kMaxTokenLength)
            m_current.push_back(static_cast<char>(byte));
        return EEvent::None;
    }
    return EndToken();
}

std::size_t CListingTokenizer::Feed(const unsigned char* data, std::size_t size, EEvent& event)
{
    event = EEvent::None;
    if (m_bRejected)
        return size;
    for (std::size_t i = 0; i < size; ++i) {
        const unsigned char byte = data[i];
        if (IsTokenChar(byte)) {
            if (m_current.size() < kMaxTokenLength)
                m_current.push_back(static_cast<char>(byte));
            continue;
        }
        event = EndToken();
        if (event != EEvent::None)
            return i + 1;
    }
    return size;
}

CListingTokenizer::EEvent CListingTokenizer::EndToken()
{
    if (m_current.empty() || m_current[0] == 'T') {
        m_current.clear();
        return EEvent::None;
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
    return EEvent::Token;
}

} // namespace veldran
