#pragma once
// Takes the bytes of one listing into the document's token list with the window's receiver, counts
// its lines and moves the progress on. With a journal, the bytes are journaled as they arrive: it is
// opened at the first byte (link/ListingJournal.h).

#include "capture/CaptureProgress.h"
#include "capture/ListingReceiver.h"
#include "document/CaptureDocument.h"
#include "link/ListingJournal.h"
#include "link/ListingReceiver.h"

namespace veldran {

class CListingCollector : public ListingByteSink {
public:
    // Empties the document's token list, as the window does when a reception starts.
    CListingCollector(CVELDRANDoc& document, CCaptureProgress& progress, CListingJournal* pJournal = nullptr);

    // False once the first kept token was not "STATE".
    [[nodiscard]] bool OnBytes(const unsigned char* pBytes, std::size_t nBytes) override;

    // Ends the listing: the document parses it into its samples (a listing cut inside a sample
    // gives the message that says so).
    [[nodiscard]] std::optional<Message> Finish();
    // Lines received damaged or dropped past the largest capture.
    [[nodiscard]] const SListingDamage& Damage() const { return m_receiver.Damage(); }

    [[nodiscard]] bool StateSeen() const { return m_receiver.StateSeen(); }
    // Lines of the listing so far, one per line however damaged.
    [[nodiscard]] int Lines() const { return m_receiver.ListingLines(); }
    [[nodiscard]] uint64_t Bytes() const { return m_receiver.Bytes(); }

private:
    CVELDRANDoc& m_document;
    CCaptureProgress& m_progress;
    CListingReceiver m_receiver;
    CListingJournal* m_pJournal;
};

} // namespace veldran
