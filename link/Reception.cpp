#include "link/Reception.h"

#include "resources/Strings.h"
#include "resources/UserMessages.h"

#include <algorithm>

namespace veldran {
namespace {

constexpr int kProgressStep = 10;
constexpr int kProgressMax = 100;

} // namespace

CReception::CReception(ReceptionPort& port, ReceptionHost& host, CVELDRANDoc& document)
    : m_port(port)
    , m_host(host)
    , m_document(document)
{
    m_timer.setSingleShot(true);
    QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] {
        // Bytes that came after the timer was started move the end of the quiet time on.
        const qint64 quiet = m_sinceLastByte.elapsed();
        if (quiet < m_nQuietMs) {
            m_timer.start(static_cast<int>(m_nQuietMs - quiet));
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
    if (!m_port.OpenForReception()) {
        ShowAppMessage(text::kNoConnection);
        return;
    }
    m_port.PurgePort();
    m_tokenizer.Reset();
    m_document.EmptyTokenList();
    m_bReceiving = true;
    m_nLines = 0;
    m_host.SetViewSampleCount(0);
    m_host.SetLiveData(false); // the first byte resets the view
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
    const auto byte = static_cast<unsigned char>(wParam & 0xFFu);
    OnSerialBytes(&byte, 1);
}

void CReception::OnSerialBytes(const unsigned char* pData, std::size_t nBytes, const std::atomic<bool>* pStopped)
{
    // Bytes delivered by the progress pass of an earlier byte keep their place in the line.
    if (m_nProgressDepth > 0) {
        m_pendingBytes.insert(m_pendingBytes.end(), pData, pData + nBytes);
        return;
    }
    HandleBytes(pData, nBytes, pStopped);
    while (!m_pendingBytes.empty() && m_nProgressDepth == 0) {
        std::vector<unsigned char> next;
        next.swap(m_pendingBytes);
        HandleBytes(next.data(), next.size(), nullptr);
    }
}

// Each byte has the effects it would have alone: the first one resets the view, a byte that ends
// a kept token runs the progress pass, every byte moves the end of the quiet time on. Runs of
// bytes between two such events are taken in one step.
void CReception::HandleBytes(const unsigned char* pData, std::size_t nBytes, const std::atomic<bool>* pStopped)
{
    std::size_t nDone = 0;
    while (nDone < nBytes) {
        if (pStopped && pStopped->load())
            return;
        if (!m_bReceiving || !m_pTransferDlg || m_pTransferDlg->m_bCancelled) {
            // No reception (any more): the bytes are dropped with the token begun.
            m_bReceiving = false;
            m_tokenizer.Reset();
            return;
        }
        if (!m_host.IsLiveData()) {
            m_host.ResetView();
            m_host.SetLiveData(true);
        }
        CListingTokenizer::EEvent event = CListingTokenizer::EEvent::None;
        nDone += m_tokenizer.Feed(pData + nDone, nBytes - nDone, event);
        if (event == CListingTokenizer::EEvent::NotListing) {
            Abort();
            continue;
        }
        // The bytes before the one that ended a token count for the quiet time before its
        // progress pass runs, as they would one at a time.
        RestartQuietTimer();
        if (event == CListingTokenizer::EEvent::Token) {
            if (!KeepToken(std::string(m_tokenizer.Token()), m_tokenizer.IsLineNumber()))
                continue;
            RestartQuietTimer();
        }
    }
}

bool CReception::KeepToken(const std::string& token, bool bLineNumber)
{
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
    if (generation != m_nGeneration)
        return false;

    m_document.m_pTokenList->push_back(token);
    if (bLineNumber)
        CountLine(token);
    return true;
}

void CReception::CountLine(const std::string& token)
{
    ++m_nLines;
    m_host.SetViewSampleCount(m_nLines);
    m_document.m_nSampleCount = m_nLines;
    m_host.SetXPosData(std::string(text::kDataInTransfer) + token);
}

void CReception::Abort()
{
    m_timer.stop();
    RetireDialog();
    m_bReceiving = false;
    ++m_nGeneration;
    m_tokenizer.Reset();
    ShowAppMessage(text::kTransferAbort);
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
        m_host.SetLiveData(true);
        m_document.ParseTokens(true);
        // The received capture replaced the document's data and exists nowhere else yet.
        m_document.SetModifiedFlag(true);
        // A parse that stopped early took one sample off; the view must not count it either.
        m_host.SetViewSampleCount(m_document.m_nSampleCount);
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
        m_timer.start(m_nQuietMs);
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
