#pragma once
// One decoding run in the background for the window. The capture's samples are copied first, a
// slice per turn of the event loop (SampleSnapshot.h: the capture shown may change while the run
// works), then the decoder library works on a thread of its own; progress and the outcome come back
// to the window's thread as signals. Cancel stops the copy, or the run between two chunks; the
// destructor cancels and waits.

#include "decode/DecodeRun.h"
#include "view/SampleSnapshot.h"

#include <QObject>

#include <atomic>
#include <memory>

class QThread;

namespace veldran {

class DecodeJob : public QObject {
    Q_OBJECT
public:
    explicit DecodeJob(QObject* parent = nullptr);
    ~DecodeJob() override;

    // Starts a run of request over a copy of the samples of source (the request's own store is
    // not read); false while one is under way.
    bool Start(DecodeRequest request, CSampleSnapshot::Source source);
    void Cancel();
    [[nodiscard]] bool IsRunning() const { return m_bRunning; }

signals:
    void progressed(qint64 nSent, qint64 nTotal);
    // After every Start, once: decoded, failed or cancelled.
    void finished(std::shared_ptr<const veldran::DecodeOutcome> outcome);

private:
    void Launch();
    void FinishUnrun();
    void Finish(std::shared_ptr<const DecodeOutcome> outcome);
    void Join();

    CSampleSnapshot m_snapshot;
    DecodeRequest m_request;
    QThread* m_pThread = nullptr;
    std::atomic<bool> m_bCancel{false};
    bool m_bRunning = false;
};

} // namespace veldran
