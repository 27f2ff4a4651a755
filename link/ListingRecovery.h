#pragma once
// The window's side of an interrupted reception: at the start, the listing a hang-up, a crash or a
// power cut left in the journal (link/ListingJournal.h) is offered. Taken, it goes through the same
// receiver as a reception (damaged lines kept in step, lines counted) and is shown as a received
// capture, modified so that it can be saved, with a message that it was recovered and may be
// incomplete; its journal stays until the capture is saved or let go, as a received one's does.
// Declined, the journal is deleted.

#include "resources/Message.h"

#include <functional>
#include <string>

namespace veldran {

class CCaptureSession;

// ask: whether the user takes the listing (true) or lets it go. report: the messages to show.
// True when the listing is shown. Nothing is asked when there is no journal, or one that a
// reception is writing right now.
bool OfferInterruptedListing(CCaptureSession& session, const std::string& journalPath, const std::function<bool()>& ask,
                             const std::function<void(const Message&)>& report);

} // namespace veldran
