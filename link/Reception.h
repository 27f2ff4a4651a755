#pragma once
// Receiving one state listing from the instrument: the Load command opens the transfer dialog,
// the received bytes go through the listing receiver into the capture session, and a quiet line
// (800 ms by default) ends the reception with a parse. The link forwards the Load command, the
// received bytes and the timer to this object. The session announces what changed to whoever
// shows it; the port is reached through ReceptionPort.
//
// The bytes are journaled as they arrive (link/ListingJournal.h), from the first byte on. A cancelled
// or refused reception deletes its journal; an ended one keeps it until the capture is saved or let
// go (LetGoOfJournal).
//
// A batch of bytes is handled whole, without running other events in between: a cancel pressed
// or a quiet time that runs out while a batch is handled takes effect after that batch.

#include "link/ListingJournal.h"
#include "link/ListingReceiver.h"
#include "link/ReceptionPort.h"
#include "link/TransferDialog.h"
#include "session/CaptureSession.h"

#include <QPointer>
#include <QTimer>

#include <atomic>
#include <cstddef>
#include <string>
#include <vector>

namespace veldran {

class CReception : public TransferNotify {
public:
    static constexpr int kQuietTimer = 1;  // the timer that ends a reception
    static constexpr int kQuietMs = static_cast<int>(CQuietClock::kQuietTime.count());

    // dialogOwner: the window the transfer dialog belongs to (disabled while it is shown).
    CReception(ReceptionPort& port, CCaptureSession& session, QWidget* dialogOwner);
    ~CReception() override;
    CReception(const CReception&) = delete;
    CReception& operator=(const CReception&) = delete;

    // How long the line must be quiet to end a reception (tests shorten it).
    void SetQuietInterval(int nMs) { m_receiver.Quiet().SetQuietTime(std::chrono::milliseconds(nMs)); }
    [[nodiscard]] int QuietInterval() const { return static_cast<int>(m_receiver.Quiet().QuietTime().count()); }

    // Command 1029: starts a reception (or says that there is no link).
    void OnLoad();
    // One received byte (wParam); lParam is the port number and not used.
    void OnSerialChar(unsigned wParam, int lParam);
    // Received bytes in arrival order, with the effects they would have one at a time. pStopped:
    // a batch read before the port was opened again belongs to no reception and is dropped.
    void OnSerialBytes(const unsigned char* pData, std::size_t nBytes, const std::atomic<bool>* pStopped = nullptr);
    // Timer 1 (the line has been quiet) or 0 (the user cancelled): ends the reception.
    void OnTimer(int nIdEvent) override;

    [[nodiscard]] bool IsReceiving() const { return m_bReceiving; }
    [[nodiscard]] bool StateSeen() const { return m_receiver.StateSeen(); }
    [[nodiscard]] CTransferDlg* TransferDialog() const { return m_pTransferDlg.data(); }
    [[nodiscard]] bool QuietTimerActive() const { return m_timer.isActive(); }
    // Characters of a token begun but not yet ended (0 once a reception has dropped its token).
    [[nodiscard]] std::size_t PendingTokenLength() const { return m_receiver.PendingLength(); }

    // The received capture was saved or let go (or an interrupted one was declined): its journal
    // is deleted. Not while a reception runs: its journal is still being written.
    void LetGoOfJournal();
    [[nodiscard]] const CListingJournal& Journal() const { return m_journal; }

    // The bar continues from one reception to the next, for the whole run of the program.
    [[nodiscard]] static int Progress() { return s_nProgress; }
    // For tests that need a program-start state.
    static void ResetProgramState() { s_nProgress = 0; }

private:
    void StepProgress();
    void Abort();
    void OnQuietTimer();
    void RestartQuietTimer();
    void RetireDialog();

    ReceptionPort& m_port;
    CCaptureSession& m_session;
    QPointer<QWidget> m_dialogOwner;

    CListingReceiver m_receiver;
    CListingJournal m_journal;
    QPointer<CTransferDlg> m_pTransferDlg;
    bool m_bReceiving = false;
    QTimer m_timer;
    // Dialogs released while one of their own handlers may still be running; deleted from the
    // event loop, or here at the latest.
    std::vector<QPointer<CTransferDlg>> m_retiredDialogs;

    static inline int s_nProgress = 0;
};

} // namespace veldran
