#include "view/PatternSearch.h"

#include "analysis/PatternErrorText.h"
#include "i18n/MessageText.h"
#include "resources/Strings.h"

#include <variant>

namespace veldran {

void ShowAtActiveCursor(CCaptureSession& session, int sample)
{
    if (session.ActiveCursor() == CCaptureSession::ECursor::X)
        session.SetCursors(sample, session.YCursor());
    else
        session.SetCursors(session.XCursor(), sample);
    session.RevealSample(sample);
}

PatternSearch::PatternSearch(CCaptureSession& session, QObject* parent)
    : QObject(parent)
    , m_session(session)
{
    connect(&m_counter, &MatchCounter::counted, this, &PatternSearch::OnCounted);
    connect(&m_counter, &MatchCounter::cancelled, this,
            [this] { emit statusChanged(MessageText(Message(text::kSearchCountCancelled))); });
    // A count of a capture no longer shown means nothing.
    for (const auto signal : {&CCaptureSession::captureCleared, &CCaptureSession::captureOpened,
                              &CCaptureSession::captureReplaced})
        connect(&m_session, signal, &m_counter, &MatchCounter::Cancel);
    connect(&m_session, &CCaptureSession::linesReceived, &m_counter, &MatchCounter::Cancel);
}

std::optional<int64_t> PatternSearch::Find(const QString& text, EDirection direction)
{
    const SampleStore store = m_session.Store();
    if (store.nCount == 0)
        return std::nullopt;
    ChannelNames names;
    for (int c = 0; c < kChannelCount; ++c)
        names[static_cast<size_t>(c)] = m_session.Name(c).toStdString();
    auto parsed = CPattern::Parse(text.toStdString(), names);
    if (const auto* error = std::get_if<PatternError>(&parsed)) {
        ShowMessage(PatternErrorMessage(*error));
        return std::nullopt;
    }
    const CPattern& pattern = std::get<CPattern>(parsed);
    const int64_t from = m_session.ActiveCursorSample();
    const std::optional<int64_t> found =
        direction == EDirection::Next ? FindNext(store, pattern, from) : FindPrevious(store, pattern, from);
    if (!found) {
        m_counter.Cancel();
        const char* none = direction == EDirection::Next ? text::kSearchNoNext : text::kSearchNoPrevious;
        emit statusChanged(MessageText(Message(none, {MessageNumber(from)})));
        return std::nullopt;
    }
    ShowAtActiveCursor(m_session, static_cast<int>(*found));
    m_counter.Start([session = &m_session] { return session->Store(); }, pattern, *found);
    emit statusChanged(MessageText(Message(text::kSearchCounting, {MessageNumber(*found)})));
    return found;
}

void PatternSearch::OnCounted(qint64 atOrBefore, qint64 total)
{
    emit statusChanged(MessageText(Message(text::kSearchMatchOf, {MessageNumber(atOrBefore), MessageNumber(total)})));
}

} // namespace veldran
