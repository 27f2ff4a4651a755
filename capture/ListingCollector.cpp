#include "capture/ListingCollector.h"

namespace veldran {

CListingCollector::CListingCollector(CVELDRANDoc& document, CCaptureProgress& progress, CListingJournal* pJournal)
    : m_document(document)
    , m_progress(progress)
    , m_pJournal(pJournal)
{
    m_document.BeginListing();
}

bool CListingCollector::OnBytes(const unsigned char* pBytes, std::size_t nBytes)
{
    // Without a journal (no state folder, or another reception holds it) the listing still comes.
    if (m_pJournal && m_receiver.Bytes() == 0 && nBytes > 0 && m_pJournal->Open() != 0)
        m_pJournal = nullptr;
    if (m_pJournal)
        m_pJournal->Append(pBytes, nBytes);
    const CListingReceiver::SBatch batch = m_receiver.Feed(
        pBytes, nBytes, CListingReceiver::Clock::now(), [this](std::string_view token) { m_document.AppendListingToken(token); });
    if (batch.bNotListing)
        return false;
    m_progress.Receiving(m_receiver.Lines(), m_receiver.Bytes());
    return true;
}

std::optional<Message> CListingCollector::Finish()
{
    const std::optional<CListingReceiver::SRepair> repair = m_receiver.Finish();
    if (repair)
        m_document.ReplaceListingTail(repair->nKeep, repair->tail);
    return m_document.FinishListing(repair ? repair->nLines : m_receiver.Lines());
}

} // namespace veldran
