#include "link/Reception.h"

#include "resources/Strings.h"
#include "i18n/MessageText.h"

#include <algorithm>

namespace veldran {
namespace {

constexpr int kProgressStep = 10;
constexpr int kProgressMax = 100;

} // namespace

CReception::CReception(ReceptionPort& port, CCaptureSession& session, QWidget* dialogOwner)
    : m_port(port)
    , m_session(session)
    , m_dialogOwner(dialogOwner)
{
    m_timer.setSingleShot(true);
    QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] { OnQuietTimer(); });
}

CReception::~CReception()
{
    m_timer.stop();
    RetireDialog();
    for (const QPointer<CTransferDlg>& dialog : m_retiredDialogs)
        delete dialog.data();
}

void CReception::OnLoad()
{
    if (!m_port.OpenForReception()) {
        ShowAppMessage(text::kNoConnection);
        return;
    }
    m_port.PurgePort();
    m_receiver.Begin();
    m_session.BeginListing(); // the first bytes drop what is shown
    m_bReceiving = true;

    // Only one reception at a time, even if the owner was not disabled: an earlier one ends here.
    m_timer.stop();
    RetireDialog();
    auto* dialog = new CTransferDlg(0);
    m_pTransferDlg = dialog;
    dialog->Create(m_dialogOwner.data());
    dialog->m_pNotifyView = this;
    // No timer yet: the dialog waits as long as the user likes for the first byte.
}

void CReception::OnSerialChar(unsigned wParam, int lParam)
{
    Q_UNUSED(lParam);
    const auto byte = static_cast<unsigned char>(wParam & 0xFFu);
    OnSerialBytes(&byte, 1);
}

void CReception::OnSerialBytes(const unsigned char* pData, std::size_t nBytes, const std::atomic<bool>* pStopped)
{
    if (nBytes == 0 || (pStopped && pStopped->load()))
        return;
    if (!m_bReceiving || !m_pTransferDlg || m_pTransferDlg->m_bCancelled) {
        // No reception (any more): the bytes are dropped with the token begun.
        m_bReceiving = false;
        m_receiver.Begin();
        return;
    }
    m_session.ShowArrivingListing();
    // Received without a journal when it cannot be kept (no state folder, a full disk).
    if (m_receiver.Bytes() == 0)
        (void)m_journal.Open();
    m_journal.Append(pData, nBytes);
    const CListingReceiver::SBatch batch =
        m_receiver.Feed(pData, nBytes, CListingReceiver::Clock::now(), [this](std::string_view token) {
            StepProgress();
            m_session.AppendListingToken(token);
        });
    if (batch.bNotListing) {
        Abort();
        return;
    }
    if (batch.nLines > 0)
        m_session.ListingLines(m_receiver.Lines(), batch.strLastLine);
    if (batch.nKeptTokens > 0)
        m_pTransferDlg->ShowProgress(s_nProgress);
    RestartQuietTimer();
}

// The bar moves one step for every kept token, and carries on from one reception to the next.
void CReception::StepProgress()
{
    s_nProgress += kProgressStep;
    if (s_nProgress > kProgressMax)
        s_nProgress = 0;
}

void CReception::Abort()
{
    m_journal.Remove();
    m_timer.stop();
    RetireDialog();
    m_bReceiving = false;
    m_receiver.Begin();
    ShowAppMessage(text::kTransferAbort);
}

void CReception::OnQuietTimer()
{
    // Bytes that came after the timer was started move the end of the quiet time on.
    const std::chrono::milliseconds remaining = m_receiver.Quiet().Remaining(CListingReceiver::Clock::now());
    if (remaining.count() > 0) {
        m_timer.start(static_cast<int>(remaining.count()));
        return;
    }
    OnTimer(kQuietTimer);
}

void CReception::OnTimer(int nIdEvent)
{
    Q_UNUSED(nIdEvent); // the quiet timer and the cancel button end a reception alike
    if (!m_bReceiving || !m_pTransferDlg) {
        m_timer.stop(); // nothing to end
        return;
    }
    // The reception is over from here on: a byte delivered while the parse shows a message box
    // must not grow the token list under the parse.
    m_bReceiving = false;
    m_timer.stop();
    CTransferDlg* dialog = m_pTransferDlg.data();
    const bool cancelled = dialog->m_bCancelled;
    dialog->Close();
    m_journal.Close();

    // A cancel before the first bytes leaves everything as it was; after them, the lines received
    // are kept as the quiet end keeps them.
    if (!cancelled || m_session.ListingArrived()) {
        const std::optional<CListingReceiver::SRepair> repair = m_receiver.Finish();
        if (repair)
            m_session.ReplaceListingTail(repair->nKeep, repair->tail);
        const int lines = repair ? repair->nLines : m_receiver.Lines();
        if (cancelled) {
            m_session.CancelListing(lines);
            // Lines kept by the cancel are an unsaved capture like any other; nothing kept, no journal.
            if (m_session.Document().SampleCount() == 0)
                m_journal.Remove();
        } else
            m_session.FinishListing(lines, [](const Message& message) { ShowMessage(message); });
        if (const std::optional<Message> note = ListingDamageNote(m_receiver.Damage()))
            m_session.AnnounceNote(*note);
    }
    RetireDialog();
}

void CReception::LetGoOfJournal()
{
    if (!m_bReceiving)
        RemoveListingJournal(m_journal.Path());
}

void CReception::RestartQuietTimer()
{
    // Restarting a timer for every batch of a listing costs more than handling it; the time of
    // the last byte is noted instead, and the running timer extends itself when it fires.
    if (!m_timer.isActive())
        m_timer.start(QuietInterval());
}

// The dialog may be running its own cancel handler right now (which called OnTimer), so it is
// hidden at once and deleted from the event loop.
void CReception::RetireDialog()
{
    CTransferDlg* dialog = m_pTransferDlg.data();
    m_pTransferDlg = nullptr;
    if (!dialog)
        return;
    dialog->Close();
    dialog->m_pNotifyView = nullptr;
    dialog->deleteLater();
    m_retiredDialogs.erase(std::remove_if(m_retiredDialogs.begin(), m_retiredDialogs.end(),
                                          [](const QPointer<CTransferDlg>& d) { return d.isNull(); }),
                           m_retiredDialogs.end());
    m_retiredDialogs.emplace_back(dialog);
}

} // namespace veldran
