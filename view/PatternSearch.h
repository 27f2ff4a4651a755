#pragma once
// The pattern search: Find next and Find previous move the active cursor to the nearest match
// after or before it (no wrap), and a count on a worker thread says which match of how many it
// is. A refused pattern is said in a message box and nothing moves.

#include "session/CaptureSession.h"
#include "view/MatchCounter.h"

#include <QObject>
#include <QString>

#include <optional>

namespace veldran {

// Moves the session's active cursor to sample and brings it into view: the view places its zoom
// window around the X cursor whenever the X cursor leaves it.
void ShowAtActiveCursor(CCaptureSession& session, int sample);

class PatternSearch : public QObject {
    Q_OBJECT
public:
    enum class EDirection { Next, Previous };

    explicit PatternSearch(CCaptureSession& session, QObject* parent = nullptr);

    // The sample found, or nothing (no match, a refused pattern, no capture).
    std::optional<int64_t> Find(const QString& text, EDirection direction);
    [[nodiscard]] MatchCounter& Counter() { return m_counter; }

signals:
    // What the status bar says about the last search.
    void statusChanged(const QString& text);

private:
    void OnCounted(qint64 atOrBefore, qint64 total);

    CCaptureSession& m_session;
    MatchCounter m_counter;
};

} // namespace veldran
