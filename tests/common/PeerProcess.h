#pragma once
// Runs another program to completion for a test: its exit code and both outputs.

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

namespace veldran::test {

struct ProcessRun {
    bool bStarted = false;
    int nExitCode = -1; // -1 also when it crashed or did not finish in time
    QByteArray stdOut;
    QByteArray stdErr;
};

// program is a path or a name looked up on PATH (a missing program is not started).
inline ProcessRun RunProcess(const QString& program, const QStringList& arguments,
                             const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
{
    ProcessRun run;
    const QString found = program.contains(QLatin1Char('/')) ? program : QStandardPaths::findExecutable(program);
    if (found.isEmpty())
        return run;
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(found, arguments);
    run.bStarted = process.waitForStarted();
    if (!run.bStarted || !process.waitForFinished(120'000))
        return run;
    run.nExitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.stdOut = process.readAllStandardOutput();
    run.stdErr = process.readAllStandardError();
    return run;
}

} // namespace veldran::test
