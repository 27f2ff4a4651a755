#pragma once
// Runs another program to completion for a Qt test: its exit code and both outputs, in Qt's types.

#include "tests/common/ChildProcess.h"

#include <QByteArray>
#include <QProcessEnvironment>
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
                             const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment(),
                             int nTimeoutSeconds = 120)
{
    std::vector<std::string> argv{program.toStdString()};
    for (const QString& argument : arguments)
        argv.push_back(argument.toStdString());
    ChildOptions options;
    options.environment.emplace();
    for (const QString& variable : environment.toStringList())
        options.environment->push_back(variable.toStdString());
    const ChildRun run = Run(argv, options, nTimeoutSeconds);
    return {run.bStarted, run.nExitCode, QByteArray::fromStdString(run.output), QByteArray::fromStdString(run.errors)};
}

} // namespace veldran::test
