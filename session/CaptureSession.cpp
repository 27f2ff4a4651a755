#include "session/CaptureSession.h"

#include "resources/Strings.h"
#include "session/ZoomWindow.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace veldran {
namespace {

// A cell word as the instrument writes it: channel 15 first.
std::string CellWordFromStore(const CVELDRANDoc& document, int sample, int cell)
{
    std::string word(kChannelsPerCell, '0');
    for (int b = 0; b < kChannelsPerCell; ++b)
        if (document.Level(sample, cell * kChannelsPerCell + b) == 1)
            word[static_cast<size_t>(15 - b)] = '1';
    return word;
}

} // namespace

CCaptureSession::CCaptureSession(QObject* parent)
    : QObject(parent)
{
    for (int n = 0; n < kChannelCount; ++n)
        m_strName[static_cast<size_t>(n)] = QString::fromStdString(DefaultChannelName(n));
    // The parse names what it could not read; the text is one of the program's own.
    m_document.SetStatusTextHandler([this](const char* text) {
        if (text && std::strcmp(text, text::kInvalidData) == 0)
            SetValueText({text::kInvalidData, {}});
        else
            SetValueText({nullptr, text ? text : ""});
    });
}

CCaptureSession::~CCaptureSession()
{
    m_document.SetStatusTextHandler({});
}

std::string CCaptureSession::CellWordsAt(int x) const
{
    if (x < 0)
        return {};
    const TokenList& tokens = m_document.Tokens();
    // A listing keeps its 12 header tokens in front of the samples, a loaded file does not; each
    // sample is its line number and three cell words.
    const size_t first = static_cast<size_t>(x) * kTokensPerSample + (m_bLiveData ? kListingHeaderTokens + 1 : 1);
    if (first + 2 < tokens.size())
        return std::string(tokens[first]) + "  " + std::string(tokens[first + 1]) + "  " + std::string(tokens[first + 2]);
    // Should the token list be shorter than the capture, the cell words are rebuilt from the
    // samples themselves.
    if (x < m_document.ReadableSampleCount())
        return CellWordFromStore(m_document, x, 0) + "  " + CellWordFromStore(m_document, x, 1) + "  "
             + CellWordFromStore(m_document, x, 2);
    return {};
}

void CCaptureSession::BeginListing()
{
    // The capture shown stays whole (savable, exportable) until the first bytes: a cancel before
    // them leaves it exactly as it was.
    m_bListingArrived = false;
}

void CCaptureSession::ShowArrivingListing()
{
    if (m_bListingArrived)
        return;
    ClearCapture();
    m_document.BeginListing();
    m_bLiveData = true;
    m_bListingArrived = true;
}

void CCaptureSession::ListingLines(int nLines, const std::string& strLastLine)
{
    m_nSampleCount = nLines;
    m_document.SetListingLines(nLines);
    m_valueText = {text::kDataInTransfer, strLastLine};
    emit linesReceived(nLines);
}

void CCaptureSession::FinishListing(int nLines, const std::function<void(const Message&)>& report)
{
    m_bLiveData = true;
    if (const std::optional<Message> message = m_document.FinishListing(nLines); message && report)
        report(*message);
    ShowReceivedCapture();
}

void CCaptureSession::CancelListing(int nLines)
{
    if (!m_bListingArrived)
        return;
    // Only the lines whose four tokens all came: the header may be short too.
    const size_t tokens = m_document.Tokens().size();
    const size_t whole = tokens > kListingHeaderTokens ? (tokens - kListingHeaderTokens) / kTokensPerSample : 0;
    (void)m_document.FinishListing(std::min(nLines, static_cast<int>(whole)));
    if (m_document.SampleCount() > 0) {
        m_bLiveData = true;
        ShowReceivedCapture();
        return;
    }
    // Nothing whole came: no capture, and nothing to offer to save.
    ClearCapture();
    m_document.SetModifiedFlag(false);
}

void CCaptureSession::ShowReceivedCapture()
{
    // The received capture replaced the document's data and exists nowhere else yet.
    m_document.SetModifiedFlag(true);
    // A parse that stopped early took one sample off; the view must not count it either.
    m_nSampleCount = m_document.SampleCount();
    emit captureReplaced();
}

void CCaptureSession::ClearCapture()
{
    m_document.ForgetCapture();
    m_bLiveData = false;
    m_nSampleCount = 0;
    m_nXIndex = 0;
    m_nYIndex = 0;
    m_valueText = {text::kNoData, {}};
    const bool hadMarkers = !m_annotations.markers.empty();
    m_annotations.markers.clear();
    emit captureCleared();
    if (hadMarkers)
        emit markersChanged();
}

void CCaptureSession::OpenCapture(CaptureAnnotations annotations)
{
    m_annotations = std::move(annotations);
    if (m_document.IsDataReady()) {
        for (int n = 0; n < kChannelCount; ++n)
            m_strName[static_cast<size_t>(n)] = QString::fromStdString(m_document.ChannelName(n));
        m_nSampleCount = m_document.SampleCount();
    }
    m_bLiveData = false;
    m_nWindow = 16;
    m_nXIndex = 0;
    m_nYIndex = 0;
    // A capture opened starts without a clock period; those who show it read it with the rest.
    m_dClockPeriod = 1.0;
    m_nClockIndex = 0;
    emit captureOpened();
    emit busesChanged();
    emit markersChanged();
    emit extraSectionsChanged();
}

void CCaptureSession::SetNames(const ChannelNames& names)
{
    m_strName = names;
    m_document.SetModifiedFlag();
    emit namesChanged();
}

void CCaptureSession::SetClockPeriod(int nIndex, std::optional<double> seconds)
{
    if (seconds)
        m_dClockPeriod = *seconds;
    m_nClockIndex = nIndex;
    emit clockPeriodChanged(nIndex);
}

void CCaptureSession::SetCursors(int nX, int nY)
{
    if (nX == m_nXIndex && nY == m_nYIndex)
        return;
    m_nXIndex = nX;
    m_nYIndex = nY;
    emit cursorsMoved();
}

void CCaptureSession::SetActiveCursor(ECursor cursor)
{
    if (cursor == m_eActiveCursor)
        return;
    m_eActiveCursor = cursor;
    emit activeCursorChanged();
}

void CCaptureSession::SelectChannel(int channel)
{
    channel = std::clamp(channel, 0, kChannelCount - 1);
    if (channel == m_nSelectedChannel)
        return;
    m_nSelectedChannel = channel;
    emit selectedChannelChanged(channel);
}

SampleStore CCaptureSession::Store() const
{
    if (!HasCapture())
        return {};
    return {m_document.Samples().data(), std::min<int64_t>(m_nSampleCount, m_document.ReadableSampleCount())};
}

void CCaptureSession::SetWindow(int nWindow)
{
    m_nWindow = nWindow;
    emit windowChanged(nWindow);
}

void CCaptureSession::Expand()
{
    if (const int window = ExpandedWindow(m_nWindow); window != 0)
        SetWindow(window);
}

void CCaptureSession::Contract()
{
    if (const int window = ContractedWindow(m_nWindow); window != 0)
        SetWindow(window);
}

void CCaptureSession::SelectNextCell()
{
    SetCell(m_nCell + 1 >= kCellsShown ? 0 : m_nCell + 1);
}

void CCaptureSession::SetCell(int nCell)
{
    m_nCell = std::clamp(nCell, 0, kCellsShown - 1);
    emit cellChanged(m_nCell);
}

void CCaptureSession::SetValueText(SValueText text)
{
    m_valueText = std::move(text);
    emit valueTextChanged();
}

} // namespace veldran
