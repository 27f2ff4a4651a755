#pragma once
// A copy of the capture's samples for a worker thread. The session replaces the document's samples
// (a listing arriving, New File, a file opened) before it announces the change, so a worker reading
// them in place could read memory already gone. The copy is taken on the user-interface thread,
// where the samples change, a slice per turn of the event loop (a million samples are 48 MB, and
// touching a new buffer's pages costs more than the copy), and it is abandoned when the capture's
// length changes under it. The buffer is kept from one copy to the next: one already touched
// copies much faster. Take() must not be called while a worker still reads Store().

#include "analysis/SampleStore.h"

#include <QObject>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <vector>

namespace veldran {

class CSampleSnapshot : public QObject {
    Q_OBJECT
public:
    // Where the samples are read, each time a slice is copied.
    using Source = std::function<SampleStore()>;

    explicit CSampleSnapshot(QObject* parent = nullptr);

    void Take(Source source);
    // Stops a copy under way; nothing is announced.
    void Stop();
    [[nodiscard]] bool IsCopying() const { return m_timer.isActive(); }
    // The copy, once copied() was announced.
    [[nodiscard]] SampleStore Store() const { return {m_levels.data(), m_nCount}; }

signals:
    void copied();
    // The capture's length changed while it was being copied.
    void abandoned();

private:
    void CopySlice();

    Source m_source;
    int64_t m_nCount = 0;
    std::vector<uint8_t> m_levels;
    QTimer m_timer;
};

} // namespace veldran
