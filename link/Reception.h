#pragma once
// Receiving one state listing from the instrument: the Load command opens the transfer dialog,
// every byte from the serial port is collected into tokens for the document, and 800 ms of quiet
// on the line end the reception with a parse. The view forwards its Load command, its received
// bytes and its timer to this object and is reached back through ReceptionHost.

#include "document/CaptureDocument.h"
#include "link/ReceptionHost.h"
#include "link/TransferDialog.h"

#include <QPointer>
#include <QElapsedTimer>
#include <QTimer>

#include <array>
#include <deque>
#include <string>
#include <vector>

namespace veldran {

class CReception : public TransferNotify {
public:
    static constexpr int kQuietTimer = 1;  // the timer that ends a reception
    static constexpr int kQuietMs = 800;
    static constexpr int kTokenSize = 32;  // 31 characters and the NUL

    CReception(ReceptionHost& host, CVELDRANDoc& document);
    ~CReception() override;
    CReception(const CReception&) = delete;
    CReception& operator=(const CReception&) = delete;

    // Command 1029: starts a reception (or says that there is no link).
    void OnLoad();
    // One received byte (wParam); lParam is the port number and not used.
    void OnSerialChar(unsigned wParam, int lParam);
    // Timer 1 (the line has been quiet) or 0 (the user cancelled): ends the reception.
    void OnTimer(int nIdEvent) override;

    [[nodiscard]] bool IsReceiving() const { return m_bReceiving; }
    [[nodiscard]] bool StateSeen() const { return m_bStateSeen != 0; }
    [[nodiscard]] CTransferDlg* TransferDialog() const { return m_pTransferDlg.data(); }
    [[nodiscard]] bool QuietTimerActive() const { return m_timer.isActive(); }
    // The raw token buffer, all 32 bytes.
    [[nodiscard]] std::string TokenBuffer() const { return std::string(m_szToken.data(), m_szToken.size()); }

    // The bar continues from one reception to the next, for the whole run of the program.
    [[nodiscard]] static int Progress() { return s_nProgress; }
    // For tests that need a program-start state.
    static void ResetProgramState() { s_nProgress = 0; s_nTokenPos = 0; }

private:
    void HandleByte(unsigned byte);
    void AddTokenChar(char c);
    // Steps of a byte that ends a token; false when the reception has ended meanwhile.
    [[nodiscard]] bool EndToken();
    void CountLine(const std::string& token);
    void Abort();
    void BlankToken();
    void RestartQuietTimer();
    void RetireDialog();

    ReceptionHost& m_host;
    CVELDRANDoc& m_document;

    std::array<char, kTokenSize> m_szToken{};
    int m_bStateSeen = 0;
    QPointer<CTransferDlg> m_pTransferDlg;
    bool m_bReceiving = false;

    QTimer m_timer;
    QElapsedTimer m_sinceLastByte;
    // Counts ended receptions, so a handler that ran a nested event loop can tell that the
    // reception it worked for has ended meanwhile.
    unsigned m_nGeneration = 0;
    // While the progress pass runs, a byte delivered by that pass waits here for its turn.
    int m_nProgressDepth = 0;
    std::deque<unsigned> m_pendingBytes;
    // Dialogs released while one of their own handlers may still be running; deleted from the
    // event loop, or here at the latest.
    std::vector<QPointer<CTransferDlg>> m_retiredDialogs;

    static inline int s_nTokenPos = 0;
    static inline int s_nProgress = 0;
};

} // namespace veldran
