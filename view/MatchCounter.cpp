#include "view/MatchCounter.h"

#include <QMetaObject>

#include <algorithm>
#include <optional>
#include <utility>

namespace veldran {

MatchCounter::MatchCounter(QObject* parent)
    : QObject(parent)
{
    connect(&m_snapshot, &CSampleSnapshot::copied, this, &MatchCounter::Launch);
    connect(&m_snapshot, &CSampleSnapshot::abandoned, this, &MatchCounter::Cancel);
}

MatchCounter::~MatchCounter()
{
    Stop();
}

bool MatchCounter::Stop()
{
    const bool wasCounting = m_bCounting;
    ++m_nGeneration;
    m_bCounting = false;
    m_snapshot.Stop();
    m_bCancel.store(true);
    if (m_worker.joinable())
        m_worker.join();
    return wasCounting;
}

void MatchCounter::Cancel()
{
    if (Stop())
        emit cancelled();
}

void MatchCounter::Start(Source source, const CPattern& pattern, int64_t upTo)
{
    Stop();
    m_pattern = pattern;
    m_nUpTo = upTo;
    m_bCounting = true;
    m_snapshot.Take(std::move(source));
}

void MatchCounter::Launch()
{
    m_bCancel.store(false);
    const uint64_t generation = m_nGeneration;
    m_worker = std::thread([this, generation] {
        const SampleStore copy = m_snapshot.Store();
        const int64_t total = copy.nCount;
        int lastPermille = -1;
        const auto report = [this, generation, total, &lastPermille](int64_t done) {
            const int permille = total > 0 ? static_cast<int>(done * 1000 / total) : 1000;
            if (permille == lastPermille)
                return;
            lastPermille = permille;
            QMetaObject::invokeMethod(
                this, [this, generation, permille] {
                    if (generation == m_nGeneration)
                        emit progress(permille);
                },
                Qt::QueuedConnection);
        };
        const std::optional<MatchCount> count = CountMatches(copy, m_pattern, m_nUpTo, report, &m_bCancel);
        if (count)
            QMetaObject::invokeMethod(this, [this, generation, c = *count] { Deliver(generation, c); }, Qt::QueuedConnection);
    });
}

void MatchCounter::Deliver(uint64_t generation, MatchCount count)
{
    // A count stopped after it finished, but before this call arrived, says nothing.
    if (generation != m_nGeneration)
        return;
    if (m_worker.joinable())
        m_worker.join();
    m_bCounting = false;
    emit counted(count.nAtOrBefore, count.nTotal);
}

} // namespace veldran
