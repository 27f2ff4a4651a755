#include "link/Reception.h"

#include "resources/Strings.h"
#include "resources/UserMessages.h"

#include <algorithm>
#include <cstring>

namespace veldran {
namespace {

constexpr const char* kFirstToken = "STATE";
constexpr int kProgressStep = 10;
constexpr int kProgressMax = 100;
constexpr size_t kLineNumberLength = 4;

} // namespace

CReception::CReception(ReceptionHost& host, CVELDRANDoc& document)
    : m_host(host)
    , m_document(document)
{
    m_szToken.fill(' ');
    m_timer.setSingleShot(true);
    m_timer.setInterval(kQuietMs);
    QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] {
        // Bytes that came after the timer was started move the end of the quiet time on.
        const qint64 quiet = m_sinceLastByte.elapsed();
        if (quiet < kQuietMs) {
            m_timer.start(static_cast<int>(kQuietMs - quiet));
            return;
        }
        OnTimer(kQuietTimer);
    });
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
    if (!m_host.IsPortOpen()) {
        ShowAppMessage(text::kNoConnection);
        return;
    }
    m_host.PurgePort();
    BlankToken();
    s_nTokenPos = 0;
    m_bStateSeen = 0;
    m_document.EmptyTokenList();
    m_bReceiving = true;
    m_host.ViewSampleCount() = 0;
    m_host.LiveData() = false; // the first byte resets the view
    m_pendingBytes.clear();

    // Only one reception at a time, even if the owner was not disabled: an earlier one ends here.
    m_timer.stop();
    ++m_nGeneration;
    RetireDialog();
    auto* dialog = new CTransferDlg(0);
    m_pTransferDlg = dialog;
    dialog->Create(m_host.TransferDialogOwner());
    dialog->m_pNotifyView = this;
    // No timer yet: the dialog waits as long as the user likes for the first byte.
}

void CReception::OnSerialChar(unsigned wParam, int lParam)
{
    Q_UNUSED(lParam);
    // A byte delivered by the progress pass of the previous byte keeps its place in the line.
    if (m_nProgressDepth > 0) {
        m_pendingBytes.push_back(wParam);
        return;
    }
    HandleByte(wParam);
    while (!m_pendingBytes.empty() && m_nProgressDepth == 0) {
        const unsigned next = m_pendingBytes.front();
        m_pendingBytes.pop_front();
        HandleByte(next);
    }
}

void CReception::HandleByte(unsigned byte)
{
    if (!m_bReceiving || !m_pTransferDlg || m_pTransferDlg->m_bCancelled) {
        m_bReceiving = false;
        BlankToken();
        return;
    }
    if (!m_host.LiveData()) {
        m_host.ResetView();
        m_host.LiveData() = true;
    }
    // Token characters are 0x30..0x7F; a byte with the top bit set is negative as a signed char
    // and ends the token like any control character or sign.
    const auto c = static_cast<signed char>(byte & 0xFFu);
    if (c > 0x2F) {
        AddTokenChar(static_cast<char>(c));
    } else {
        s_nTokenPos = 0;
        if (!EndToken())
            return;
        BlankToken();
    }
    RestartQuietTimer();
}

// A run longer than the buffer keeps its first 31 characters and drops the rest, so it still
// makes one token (the listing's tokens are 4 or 16 characters; splitting a run would add a token
// and shift every sample after it).
void CReception::AddTokenChar(char c)
{
    if (s_nTokenPos >= kTokenSize - 1)
        return;
    m_szToken[static_cast<size_t>(s_nTokenPos)] = c;
    ++s_nTokenPos;
    m_szToken[static_cast<size_t>(s_nTokenPos)] = '\0';
}

bool CReception::EndToken()
{
    if (m_szToken[0] == ' ' || m_szToken[0] == 'T')
        return true; // empty, or a header word the listing does not need
    const std::string token(m_szToken.data(), ::strnlen(m_szToken.data(), m_szToken.size()));

    if (m_bStateSeen == 0 && m_host.ViewSampleCount() == 0) {
        if (token != kFirstToken) {
            Abort();
            return false;
        }
        m_bStateSeen = 1;
    }

    s_nProgress += kProgressStep;
    if (s_nProgress > kProgressMax)
        s_nProgress = 0;
    const unsigned generation = m_nGeneration;
    ++m_nProgressDepth;
    m_pTransferDlg->ShowProgress(s_nProgress);
    --m_nProgressDepth;
    // The cancel button or the quiet timer may have ended the reception during the progress
    // pass. The token then belongs to no reception: a parsed list must not grow behind the
    // parse, and a cancelled one keeps what had arrived when the user pressed cancel.
    if (generation != m_nGeneration) {
        BlankToken();
        return false;
    }

    m_document.m_pTokenList->push_back(token);
    if (token.size() == kLineNumberLength)
        CountLine(token);
    return true;
}

void CReception::CountLine(const std::string& token)
{
    int& count = m_host.ViewSampleCount();
    ++count;
    m_document.m_nSampleCount = count;
    m_host.SetXPosData(std::string(text::kDataInTransfer) + token);
}

void CReception::Abort()
{
    m_timer.stop();
    RetireDialog();
    m_bReceiving = false;
    ++m_nGeneration;
    ShowAppMessage(text::kTransferAbort);
    BlankToken();
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
    ++m_nGeneration;
    CTransferDlg* dialog = m_pTransferDlg.data();
    const bool cancelled = dialog->m_bCancelled;
    dialog->Close();

    if (!cancelled) {
        m_timer.stop();
        m_host.LiveData() = true;
        m_document.ParseTokens(true);
        // The received capture replaced the document's data and exists nowhere else yet.
        m_document.SetModifiedFlag(true);
        // A parse that stopped early took one sample off; the view must not count it either.
        m_host.ViewSampleCount() = m_document.m_nSampleCount;
        m_host.LoadTraces();
        m_document.m_bDataReady = true;
        m_host.UpdateCursors();
        m_host.UpdatePositionBar();
        m_host.InvalidateView();
    }

    m_timer.stop();
    RetireDialog();
}

void CReception::RestartQuietTimer()
{
    // Restarting a timer for every byte of a listing costs more than handling the byte; the
    // time of the last byte is noted instead, and the running timer extends itself when it fires.
    m_sinceLastByte.start();
    if (!m_timer.isActive())
        m_timer.start(kQuietMs);
}

void CReception::BlankToken()
{
    m_szToken.fill(' ');
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
