#include "capture/ListingCollector.h"

namespace veldran {

CListingCollector::CListingCollector(CVELDRANDoc& document, CCaptureProgress& progress)
    : m_document(document)
    , m_progress(progress)
{
    m_document.EmptyTokenList();
    m_document.m_nSampleCount = 0;
}

bool CListingCollector::OnBytes(const unsigned char* pBytes, std::size_t nBytes)
{
    m_nBytes += nBytes;
    const bool bListing = m_tokenizer.Collect(pBytes, nBytes, *m_document.m_pTokenList, m_nLines);
    if (bListing)
        m_progress.Receiving(m_nLines, m_nBytes);
    return bListing;
}

void CListingCollector::Finish()
{
    m_document.m_nSampleCount = m_nLines;
}

} // namespace veldran
