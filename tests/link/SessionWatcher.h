#pragma once
// A capture session as the reception writes it, with a record of what the session announced, and
// a port that can be told to be closed. The transfer dialog belongs to a main window of its own.

#include "link/ReceptionPort.h"
#include "session/CaptureSession.h"

#include <QMainWindow>
#include <QStringList>

namespace veldran::test {

class SessionWatcher : public ReceptionPort {
public:
    SessionWatcher()
    {
        mainWindow.show();
        QObject::connect(&session, &CCaptureSession::captureCleared, [this] { calls << "captureCleared"; });
        QObject::connect(&session, &CCaptureSession::captureReplaced, [this] { calls << "captureReplaced"; });
        QObject::connect(&session, &CCaptureSession::captureOpened, [this] { calls << "captureOpened"; });
    }

    bool OpenForReception() override { return portOpen; }
    void PurgePort() override { calls << "PurgePort"; }

    [[nodiscard]] int sampleCount() const { return session.SampleCount(); }
    [[nodiscard]] bool liveData() const { return session.IsLiveData(); }
    [[nodiscard]] std::string xPosData() const { return session.ValueText().Untranslated(); }

    CCaptureSession session;
    bool portOpen = true;
    QStringList calls;
    QMainWindow mainWindow;
};

} // namespace veldran::test
