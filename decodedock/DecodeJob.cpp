#include "decodedock/DecodeJob.h"

#include <QMetaObject>
#include <QPointer>
#include <QThread>

#include <utility>

namespace veldran {

DecodeJob::DecodeJob(QObject* parent)
    : QObject(parent)
{
}

DecodeJob::~DecodeJob()
{
    Cancel();
    Join();
}

bool DecodeJob::Start(DecodeRequest request)
{
    if (m_pThread)
        return false;
    const SampleStore& store = request.capture.store;
    m_levels.assign(store.pLevels, store.pLevels + store.nCount * 48);
    request.capture.store.pLevels = m_levels.data();
    m_bCancel = false;
    QPointer<DecodeJob> self(this);
    m_pThread = QThread::create([this, self, request = std::move(request)] {
        DecodeControl control;
        control.pCancel = &m_bCancel;
        control.onProgress = [this, self](int64_t sent, int64_t total) {
            QMetaObject::invokeMethod(this, [self, sent, total] {
                if (self)
                    emit self->progressed(sent, total);
            }, Qt::QueuedConnection);
        };
        auto outcome = std::make_shared<const DecodeOutcome>(RunDecode(request, control));
        QMetaObject::invokeMethod(this, [self, outcome] {
            if (!self)
                return;
            self->Join();
            emit self->finished(outcome);
        }, Qt::QueuedConnection);
    });
    m_pThread->start();
    return true;
}

void DecodeJob::Cancel()
{
    m_bCancel = true;
}

void DecodeJob::Join()
{
    if (!m_pThread)
        return;
    m_pThread->wait();
    delete m_pThread;
    m_pThread = nullptr;
    m_levels = {};
}

} // namespace veldran
