#pragma once
// Receiving one state listing from the instrument: the Load command opens the transfer dialog,
// the received bytes go through the listing tokenizer into the document's token list, and a
// quiet line (800 ms by default) ends the reception with a parse. The link forwards the Load
// command, the received bytes and the timer to this object; the view is reached through
// ReceptionHost, the port through ReceptionPort.

#include "document/CaptureDocument.h"
#include "link/ListingTokenizer.h"
#include "link/ReceptionHost.h"
#include "link/TransferDialog.h"

#include <QPointer>
#include <QElapsedTimer>
#include <QTimer>

#include <atomic>
#include <cstddef>
#include <string>
#include <vector>

namespace veldran {

class CReception : public TransferNotify {
public:
    static constexpr int kQuietTimer = 1;  // the timer that ends a reception
    static constexpr int kQuietMs = 800;

    CReception(ReceptionPort& port, ReceptionHost& host, CVELDRANDoc& document);
    ~CReception() override;
    CReception(const CReception&) = delete;
    CReception& operator=(const CReception&) = delete;

    // How long the line must be quiet to end a reception (tests shorten it).
    void SetQuietInterval(int nMs) { m_nQuietMs = nMs; }
    [[nodiscard]] int QuietInterval() const { return m_nQuietMs; }

    // Command 1029: starts a reception (or says that there is no link).
    void OnLoad();
    // One received byte (wParam); lParam is the port number and not used.
    void OnSerialChar(unsigned wParam, int lParam);
    // Received bytes in arrival order, handled one at a time as OnSerialChar would. pStopped:
    // when it becomes true (the port was re-opened meanwhile) the bytes not yet handled are dropped.
    void OnSerialBytes(const unsigned char* pData, std::size_t nBytes, const std::atomic<bool>* pStopped = nullptr);
    // Timer 1 (the line has been quiet) or 0 (the user cancelled): ends the reception.
    void OnTimer(int nIdEvent) override;

    [[nodiscard]] bool IsReceiving() const { return m_bReceiving; }
    [[nodiscard]] bool StateSeen() const { return m_tokenizer.StateSeen(); }
    [[nodiscard]] CTransferDlg* TransferDialog() const { return m_pTransferDlg.data(); }
    [[nodiscard]] bool QuietTimerActive() const { return m_timer.isActive(); }
    // Characters of a token begun but not yet ended (0 once a reception has dropped its token).
    [[nodiscard]] std::size_t PendingTokenLength() const { return m_tokenizer.PendingLength(); }

    // The bar continues from one reception to the next, for the whole run of the program.
    [[nodiscard]] static int Progress() { return s_nProgress; }
    // For tests that need a program-start state.
    static void ResetProgramState() { s_nProgress = 0; }

private:
    void HandleBytes(const unsigned char* pData, std::size_t nBytes, const std::atomic<bool>* pStopped);
    // Steps of a kept token; false when the reception has ended meanwhile.
    [[nodiscard]] bool KeepToken(const std::string& token, bool bLineNumber);
    void CountLine(const std::string& token);
    void Abort();
    void RestartQuietTimer();
    void RetireDialog();

    ReceptionPort& m_port;
    ReceptionHost& m_host;
    CVELDRANDoc& m_document;

    CListingTokenizer m_tokenizer;
    QPointer<CTransferDlg> m_pTransferDlg;
    bool m_bReceiving = false;
    int m_nLines = 0; // lines counted in this reception (the view's sample count)

    int m_nQuietMs = kQuietMs;
    QTimer m_timer;
    QElapsedTimer m_sinceLastByte;
    // Counts ended receptions, so a handler that ran a nested event loop can tell that the
    // reception it worked for has ended meanwhile.
    unsigned m_nGeneration = 0;
    // While the progress pass runs, bytes delivered by that pass wait here for their turn.
    int m_nProgressDepth = 0;
    std::vector<unsigned char> m_pendingBytes;
    // Dialogs released while one of their own handlers may still be running; deleted from the
    // event loop, or here at the latest.
    std::vector<QPointer<CTransferDlg>> m_retiredDialogs;

    static inline int s_nProgress = 0;
};

} // namespace veldran
