#include "view/MatchCounter.h"

#include <QMetaObject>

#include <algorithm>
#include <optional>
#include <utility>

namespace veldran {
namespace {

// About a millisecond of copying into a buffer already touched, a few into a new one.
constexpr size_t kSliceBytes = size_t{2} << 20;

} // namespace

MatchCounter::MatchCounter(QObject* parent)
    : QObject(parent)
{
    m_copyTimer.setInterval(0);
    connect(&m_copyTimer, &QTimer::timeout, this, &MatchCounter::CopySlice);
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
    m_copyTimer.stop();
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
    m_source = std::move(source);
    m_pattern = pattern;
    m_nUpTo = upTo;
    m_nCount = m_source().nCount;
    // Reserved, not filled: a new buffer's pages are touched a slice at a time, as they are copied.
    m_levels.clear();
    m_levels.reserve(static_cast<size_t>(m_nCount) * 48);
    m_bCounting = true;
    m_copyTimer.start();
}

void MatchCounter::CopySlice()
{
    const SampleStore store = m_source();
    if (store.nCount != m_nCount) {
        Cancel();
        return;
    }
    const size_t total = static_cast<size_t>(m_nCount) * 48;
    const size_t copied = m_levels.size();
    const size_t slice = std::min(kSliceBytes, total - copied);
    m_levels.insert(m_levels.end(), store.pLevels + copied, store.pLevels + copied + slice);
    if (m_levels.size() == total) {
        m_copyTimer.stop();
        Launch();
    }
}

void MatchCounter::Launch()
{
    m_bCancel.store(false);
    const uint64_t generation = m_nGeneration;
    m_worker = std::thread([this, generation] {
        const SampleStore copy{m_levels.data(), m_nCount};
        int lastPermille = -1;
        const auto report = [this, generation, &lastPermille](int64_t done) {
            const int permille = m_nCount > 0 ? static_cast<int>(done * 1000 / m_nCount) : 1000;
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
