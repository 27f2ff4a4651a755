#include "capture/ListingCollector.h"

namespace veldran {

CListingCollector::CListingCollector(CVELDRANDoc& document, CCaptureProgress& progress)
    : m_document(document)
    , m_progress(progress)
{
    m_document.BeginListing();
}

bool CListingCollector::OnBytes(const unsigned char* pBytes, std::size_t nBytes)
{
    const CListingReceiver::SBatch batch = m_receiver.Feed(
        pBytes, nBytes, CListingReceiver::Clock::now(), [this](std::string_view token) { m_document.AppendListingToken(token); });
    if (batch.bNotListing)
        return false;
    m_progress.Receiving(m_receiver.Lines(), m_receiver.Bytes());
    return true;
}

} // namespace veldran
