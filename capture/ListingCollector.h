#pragma once
// Takes the bytes of one listing into the document's token list by the window's rules (the one
// listing tokenizer), counts its lines and moves the progress on.

#include "capture/CaptureProgress.h"
#include "capture/ListingReceiver.h"
#include "document/CaptureDocument.h"
#include "link/ListingTokenizer.h"

namespace veldran {

class CListingCollector : public ListingByteSink {
public:
    // Empties the document's token list, as the window does when a reception starts.
    CListingCollector(CVELDRANDoc& document, CCaptureProgress& progress);

    // False once the first kept token was not "STATE".
    [[nodiscard]] bool OnBytes(const unsigned char* pBytes, std::size_t nBytes) override;

    // Ends the collection: the line count becomes the document's sample count for the parse.
    void Finish();

    [[nodiscard]] bool StateSeen() const { return m_tokenizer.StateSeen(); }
    [[nodiscard]] int Lines() const { return m_nLines; }
    [[nodiscard]] uint64_t Bytes() const { return m_nBytes; }

private:
    CVELDRANDoc& m_document;
    CCaptureProgress& m_progress;
    CListingTokenizer m_tokenizer;
    int m_nLines = 0;
    uint64_t m_nBytes = 0;
};

} // namespace veldran
