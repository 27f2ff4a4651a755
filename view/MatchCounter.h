#pragma once
// Counts the matches of a pattern on a worker thread, so that the window stays responsive over a
// capture of a million samples.
//
// The count works on its own copy of the samples (SampleSnapshot.h); a capture whose length changes
// while it is copied cancels the count. A new count, a Cancel or the destructor stops the one under
// way and waits for its thread; results reach the user-interface thread as queued calls, and those
// of a count stopped since are dropped.

#include "analysis/Pattern.h"
#include "view/SampleSnapshot.h"

#include <QObject>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

namespace veldran {

class MatchCounter : public QObject {
    Q_OBJECT
public:
    // Where the samples are read, each time a slice is copied.
    using Source = CSampleSnapshot::Source;

    explicit MatchCounter(QObject* parent = nullptr);
    ~MatchCounter() override;

    // Counts the matches of pattern in the samples of source, and those at or before upTo.
    void Start(Source source, const CPattern& pattern, int64_t upTo);
    // Stops the count under way, if any; announces cancelled() when there was one.
    void Cancel();
    [[nodiscard]] bool IsCounting() const { return m_bCounting; }

signals:
    // Per mille of the samples counted.
    void progress(int permille);
    void counted(qint64 atOrBefore, qint64 total);
    void cancelled();

private:
    // Stops the copy and the worker; true when a count was still under way.
    bool Stop();
    void Launch();
    void Deliver(uint64_t generation, MatchCount count);

    CPattern m_pattern;
    int64_t m_nUpTo = 0;
    CSampleSnapshot m_snapshot;
    std::thread m_worker;
    std::atomic<bool> m_bCancel{false};
    uint64_t m_nGeneration = 0;
    bool m_bCounting = false;
};

} // namespace veldran
