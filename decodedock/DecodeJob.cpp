#include "decodedock/DecodeJob.h"

#include <QMetaObject>
#include <QThread>

#include <utility>

namespace veldran {

DecodeJob::DecodeJob(QObject* parent)
    : QObject(parent)
{
    connect(&m_snapshot, &CSampleSnapshot::copied, this, &DecodeJob::Launch);
    connect(&m_snapshot, &CSampleSnapshot::abandoned, this, &DecodeJob::FinishUnrun);
}

DecodeJob::~DecodeJob()
{
    m_snapshot.Stop();
    m_bCancel = true;
    Join();
}

bool DecodeJob::Start(DecodeRequest request, CSampleSnapshot::Source source)
{
    if (m_bRunning)
        return false;
    m_request = std::move(request);
    m_bCancel = false;
    m_bRunning = true;
    m_snapshot.Take(std::move(source));
    return true;
}

void DecodeJob::Launch()
{
    m_request.capture.store = m_snapshot.Store();
    m_pThread = QThread::create([this] {
        DecodeControl control;
        control.pCancel = &m_bCancel;
        control.onProgress = [this](int64_t sent, int64_t total) {
            QMetaObject::invokeMethod(this, [this, sent, total] { emit progressed(sent, total); }, Qt::QueuedConnection);
        };
        DecodeOutcome decoded = RunDecode(m_request, control);
        // The decoders give their annotations in the order they finish them; the panel shows them
        // by start.
        decoded.annotations.SortByStart();
        auto outcome = std::make_shared<const DecodeOutcome>(std::move(decoded));
        // Queued to this object: dropped with it should it be gone by then (its destructor waits
        // for this thread first).
        QMetaObject::invokeMethod(this, [this, outcome] { Finish(outcome); }, Qt::QueuedConnection);
    });
    m_pThread->start();
}

void DecodeJob::Cancel()
{
    if (!m_bRunning)
        return;
    m_bCancel = true;
    if (!m_pThread && m_snapshot.IsCopying()) {
        m_snapshot.Stop();
        FinishUnrun();
    }
}

void DecodeJob::FinishUnrun()
{
    // Still copying, or the capture changed under the copy: nothing was decoded. Announced from
    // the event loop, as a run's end always is.
    auto outcome = std::make_shared<DecodeOutcome>();
    outcome->bCancelled = true;
    QMetaObject::invokeMethod(this, [this, outcome] { Finish(outcome); }, Qt::QueuedConnection);
}

void DecodeJob::Finish(std::shared_ptr<const DecodeOutcome> outcome)
{
    Join();
    m_bRunning = false;
    emit finished(std::move(outcome));
}

void DecodeJob::Join()
{
    if (!m_pThread)
        return;
    m_pThread->wait();
    delete m_pThread;
    m_pThread = nullptr;
}

} // namespace veldran
