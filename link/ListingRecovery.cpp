#include "link/ListingRecovery.h"

#include "link/ListingJournal.h"
#include "link/ListingReceiver.h"
#include "resources/Strings.h"
#include "session/CaptureSession.h"

namespace veldran {

bool OfferInterruptedListing(CCaptureSession& session, const std::string& journalPath, const std::function<bool()>& ask,
                             const std::function<void(const Message&)>& report)
{
    std::string bytes;
    if (ReadListingJournal(journalPath, bytes) != EJournalRead::Read)
        return false;
    if (bytes.empty() || !ask()) {
        RemoveListingJournal(journalPath);
        return false;
    }
    CListingReceiver receiver;
    session.BeginListing();
    session.ShowArrivingListing();
    const CListingReceiver::SBatch batch =
        receiver.Feed(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), CListingReceiver::Clock::now(),
                      [&session](std::string_view token) { session.AppendListingToken(token); });
    if (batch.bNotListing || !receiver.StateSeen()) {
        // Noise or the wrong speed: nothing to show, nothing to keep.
        session.ClearCapture();
        RemoveListingJournal(journalPath);
        report(Message(text::kNotVeldranData));
        return false;
    }
    const std::optional<CListingReceiver::SRepair> repair = receiver.Finish();
    if (repair)
        session.ReplaceListingTail(repair->nKeep, repair->tail);
    session.FinishListing(repair ? repair->nLines : receiver.Lines(), report);
    report(Message(text::kListingRecovered, {MessageNumber(session.SampleCount())}));
    if (const std::optional<Message> note = ListingDamageNote(receiver.Damage()))
        session.AnnounceNote(*note);
    return true;
}

} // namespace veldran
