#pragma once
// What every test that builds a view or the whole shell needs around it.

#include <QByteArray>
#include <QCoreApplication>
#include <QStandardPaths>
#include <QString>
#include <QTemporaryDir>

namespace veldran::test {

// Points COM0 … COM4 at the given device, so no test ever opens a real serial port.
inline void MapSerialPorts(const QByteArray& device = "/nonexistent/veldran-test-tty")
{
    for (int n = 0; n <= 4; ++n)
        qputenv(QStringLiteral("VELDRAN_COM%1").arg(n).toLatin1(), device);
}

// Per-user settings (the recent-file list) in Qt's test location, under the program's names.
inline void UseTestSettings()
{
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setOrganizationName(QStringLiteral("Local AppWizard-Generated Applications"));
    QCoreApplication::setApplicationName(QStringLiteral("VELDRAN"));
    // A listing journal goes to a state folder of this run's own: one left by an earlier run would
    // be offered (modally) at every start of the shell.
    static QTemporaryDir state;
    qputenv("XDG_STATE_HOME", state.path().toLocal8Bit());
}

} // namespace veldran::test
