// The one way tests and benchmarks run other programs: what it reports of the end, what it
// collects, what it hands the child, and that its times are the child's.

#include "tests/common/ChildProcess.h"

#include <QTest>

#include <csignal>
#include <cstdlib>

using veldran::test::ChildOptions;
using veldran::test::ChildProcess;
using veldran::test::ChildRun;
using veldran::test::Run;

class ChildProcessTest : public QObject {
    Q_OBJECT

private slots:
    void runGivesTheExitCodeAndBothOutputs()
    {
        const ChildRun run = Run({"sh", "-c", "printf out; printf err >&2; exit 3"});
        QVERIFY(run.bStarted);
        QCOMPARE(run.nExitCode, 3);
        QCOMPARE(run.output, std::string("out"));
        QCOMPARE(run.errors, std::string("err"));
        QVERIFY(run.seconds >= 0 && run.seconds < 10);
    }

    void aMissingProgramIsNotStarted()
    {
        for (const char* program : {"/nonexistent/veldran-nothing", "veldran-no-such-program"}) {
            const ChildRun run = Run({program});
            QVERIFY2(!run.bStarted, program);
            QCOMPARE(run.nExitCode, -1);
        }
    }

    void aSignalIsNoExitCode()
    {
        ChildProcess child({"sleep", "30"});
        QVERIFY(child.Started());
        child.Signal(SIGTERM);
        QVERIFY(child.Wait(10));
        QCOMPARE(child.ExitCode(), -1);
        QCOMPARE(child.EndSignal(), SIGTERM);
    }

    void aRunOverTimeHasNoExitCode()
    {
        const ChildRun run = Run({"sleep", "5"}, {}, 1);
        QVERIFY(run.bStarted);
        QCOMPARE(run.nExitCode, -1);
        QVERIFY(run.seconds < 0);
    }

    void theEnvironmentIsThisProcessOrTheGivenOne()
    {
        qputenv("VELDRAN_CHILD_TEST", "inherited");
        QVERIFY(Run({"env"}).output.find("VELDRAN_CHILD_TEST=inherited\n") != std::string::npos);
        ChildOptions options;
        options.environment = std::vector<std::string>{"ONLY=this"};
        QCOMPARE(Run({"/usr/bin/env"}, options).output, std::string("ONLY=this\n"));
        qunsetenv("VELDRAN_CHILD_TEST");
    }

    // A test talks to a running child: what it types arrives, what the child writes can be read
    // before the end.
    void talkingToARunningChild()
    {
        ChildProcess child({"cat"});
        QVERIFY(child.Type("hello\n"));
        QVERIFY(child.WaitForText("hello\n", false));
        QCOMPARE(child.FirstLine(), std::string("hello"));
        QVERIFY(!child.Wait(0)); // still running: its input is open
        child.CloseInput();
        QVERIFY(child.Wait());
        QCOMPARE(child.ExitCode(), 0);
    }

    void waitingForTextEndsWithTheChild()
    {
        ChildProcess child({"sh", "-c", "echo other >&2"});
        QVERIFY(!child.WaitForText("never", true, 20));
        QVERIFY(child.SecondsSinceStart() < 10); // it ended, so the wait did not run its course
        QVERIFY(child.Wait());
        QCOMPARE(child.Errors(), std::string("other\n"));
    }

    // Nobody reads a child's output until the end: a child that writes much must not block.
    void muchOutputArrivesWhole()
    {
        const ChildRun run = Run({"head", "-c", "3000000", "/dev/zero"}, {}, 20);
        QCOMPARE(run.nExitCode, 0);
        QCOMPARE(run.output.size(), size_t(3000000));
    }

    // What a child writes just before its end lies in the pipe when the end is seen.
    void theLastWordsArrive()
    {
        for (int n = 0; n < 50; ++n)
            QCOMPARE(Run({"head", "-c", "60000", "/dev/zero"}).output.size(), size_t(60000));
    }

    void theChildRunsOnTheGivenProcessor()
    {
        ChildOptions options;
        options.nCpu = 0;
        ChildProcess child({"sleep", "30"}, options);
        QVERIFY(child.Started());
        cpu_set_t cpus;
        CPU_ZERO(&cpus);
        QCOMPARE(sched_getaffinity(child.Pid(), sizeof cpus, &cpus), 0);
        QCOMPARE(CPU_COUNT(&cpus), 1);
        QVERIFY(CPU_ISSET(0, &cpus));
    }

    // The time is the child's whole life, the processor time only what it computed.
    void timesAreTheChilds()
    {
        ChildProcess sleeper({"sleep", "0.3"});
        QVERIFY(sleeper.Wait());
        QVERIFY2(sleeper.Seconds() >= 0.3 && sleeper.Seconds() < 5, qPrintable(QString::number(sleeper.Seconds())));
        QVERIFY(sleeper.CpuSeconds() >= 0 && sleeper.CpuSeconds() < 0.1);
        ChildProcess busy({"sh", "-c", "i=0; while [ $i -lt 300000 ]; do i=$((i+1)); done"});
        QVERIFY(busy.Wait(60));
        QVERIFY2(busy.CpuSeconds() > 0.05, qPrintable(QString::number(busy.CpuSeconds())));
    }
};

QTEST_APPLESS_MAIN(ChildProcessTest)
#include "ChildProcessTest.moc"
