#pragma once
// One decoding run in the background for the window: the capture's samples are copied when the run
// starts (the capture shown may change while it runs), the decoder library works on a thread of its
// own, and progress and the outcome come back to the thread that started it as signals. Cancel
// stops the run between two chunks; the destructor cancels and waits.

#include "decode/DecodeRun.h"

#include <QObject>

#include <atomic>
#include <memory>
#include <vector>

class QThread;

namespace veldran {

class DecodeJob : public QObject {
    Q_OBJECT
public:
    explicit DecodeJob(QObject* parent = nullptr);
    ~DecodeJob() override;

    // Starts a run of request over a copy of its capture's samples; false while one still runs.
    bool Start(DecodeRequest request);
    void Cancel();
    [[nodiscard]] bool IsRunning() const { return m_pThread != nullptr; }

signals:
    void progressed(qint64 nSent, qint64 nTotal);
    void finished(std::shared_ptr<const veldran::DecodeOutcome> outcome);

private:
    void Join();

    QThread* m_pThread = nullptr;
    std::atomic<bool> m_bCancel{false};
    std::vector<uint8_t> m_levels; // the run's copy of the samples
};

} // namespace veldran
