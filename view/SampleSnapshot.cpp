#include "view/SampleSnapshot.h"

#include <algorithm>
#include <utility>

namespace veldran {
namespace {

// About a millisecond of copying into a buffer already touched, a few into a new one.
constexpr size_t kSliceBytes = size_t{2} << 20;

} // namespace

CSampleSnapshot::CSampleSnapshot(QObject* parent)
    : QObject(parent)
{
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, &CSampleSnapshot::CopySlice);
}

void CSampleSnapshot::Take(Source source)
{
    m_source = std::move(source);
    m_nCount = m_source().nCount;
    // Reserved, not filled: a new buffer's pages are touched a slice at a time, as they are copied.
    m_levels.clear();
    m_levels.reserve(static_cast<size_t>(m_nCount) * 48);
    m_timer.start();
}

void CSampleSnapshot::Stop()
{
    m_timer.stop();
}

void CSampleSnapshot::CopySlice()
{
    const SampleStore store = m_source();
    if (store.nCount != m_nCount) {
        m_timer.stop();
        emit abandoned();
        return;
    }
    const size_t total = static_cast<size_t>(m_nCount) * 48;
    const size_t done = m_levels.size();
    const size_t slice = std::min(kSliceBytes, total - done);
    m_levels.insert(m_levels.end(), store.pLevels + done, store.pLevels + done + slice);
    if (m_levels.size() == total) {
        m_timer.stop();
        emit copied();
    }
}

} // namespace veldran
