// The handover between the serial worker and the user-interface thread, driven directly: the
// worker blocks until its call has run, a stop releases it at once, a purge drops a call handed
// over but not yet run (and calls from bytes read before it), an error box survives a purge, and
// a stale post run from a nested event loop runs nothing.

#include "link/serial/UiHandover.h"

#include "UiQueue.h"
#include "link/serial/SerialEngine.h"
#include "tests/common/PseudoTerminal.h"

#include <QtTest>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>

using namespace veldran;
using veldran::test::OwnerRecorder;
using veldran::test::PseudoTerminal;
using veldran::test::UiQueue;

namespace {

using namespace std::chrono_literals;

// A worker thread that hands one call over; the result says what Run returned.
struct SWorker {
    std::future<bool> result;
    std::atomic<int> nRuns{0};

    void Start(CUiHandover& handover, unsigned long long nEpoch)
    {
        result = std::async(std::launch::async, [this, &handover, nEpoch] {
            return handover.Run([this] { ++nRuns; }, nEpoch);
        });
    }
    [[nodiscard]] bool Finished(std::chrono::milliseconds wait = 0ms)
    {
        return result.wait_for(wait) == std::future_status::ready;
    }
};

} // namespace

class TestUiHandover : public QObject {
    Q_OBJECT

private slots:
    // The worker waits as long as its call has not run, and returns once it has.
    void workerWaitsForItsCall()
    {
        UiQueue ui;
        CUiHandover handover(ui.Poster());
        SWorker worker;
        worker.Start(handover, handover.Epoch());
        QVERIFY(ui.WaitForCalls(1));
        QVERIFY(!worker.Finished(50ms));
        QCOMPARE(worker.nRuns.load(), 0);
        QVERIFY(ui.RunOne());
        QVERIFY(worker.Finished(5s));
        QVERIFY(worker.result.get());
        QCOMPARE(worker.nRuns.load(), 1);
    }

    // A stop while the worker waits: it is released without the call, which never runs later.
    void stopWhileTheWorkerWaits()
    {
        UiQueue ui;
        CUiHandover handover(ui.Poster());
        SWorker worker;
        worker.Start(handover, handover.Epoch());
        QVERIFY(ui.WaitForCalls(1));
        handover.Abandon();
        QVERIFY(worker.Finished(5s));
        QVERIFY(!worker.result.get());
        ui.RunWaiting();
        QCOMPARE(worker.nRuns.load(), 0);
        // Nothing more is handed over.
        QVERIFY(!handover.Run([] {}, handover.Epoch()));
        QCOMPARE(ui.Pending(), std::size_t(0));
    }

    void purgeDropsWhatWasNotHandled_data()
    {
        QTest::addColumn<bool>("everyEpoch");
        QTest::newRow("bytes: dropped") << false;
        QTest::newRow("error box: kept") << true;
    }

    // A purge while a batch waits for the user-interface thread: the worker goes on, the batch is
    // never handled; a call that shows an error box is not a batch and stays.
    void purgeDropsWhatWasNotHandled()
    {
        QFETCH(bool, everyEpoch);
        UiQueue ui;
        CUiHandover handover(ui.Poster());
        SWorker worker;
        worker.Start(handover, everyEpoch ? CUiHandover::kEveryEpoch : handover.Epoch());
        QVERIFY(ui.WaitForCalls(1));
        handover.Discard();
        QCOMPARE(worker.Finished(everyEpoch ? 50ms : 5s), !everyEpoch);
        ui.RunWaiting();
        QVERIFY(worker.Finished(5s));
        QVERIFY(worker.result.get());
        QCOMPARE(worker.nRuns.load(), everyEpoch ? 1 : 0);
    }

    // Bytes read before a purge but handed over after it are dropped without a post; bytes read
    // after it go through.
    void purgeDropsBytesReadBeforeIt()
    {
        UiQueue ui;
        CUiHandover handover(ui.Poster());
        const unsigned long long nBefore = handover.Epoch();
        handover.Discard();
        int nRuns = 0;
        QVERIFY(handover.Run([&] { ++nRuns; }, nBefore));
        QCOMPARE(ui.Pending(), std::size_t(0));
        SWorker worker;
        worker.Start(handover, handover.Epoch());
        QVERIFY(ui.RunOne());
        QVERIFY(worker.Finished(5s));
        QCOMPARE(worker.nRuns.load(), 1);
        QCOMPARE(nRuns, 0);
    }

    // A purge leaves the dropped call's post behind. The next call's own post may run first, or
    // be met in a nested event loop of that call: either way the call runs once.
    void stalePostRunsNothing()
    {
        UiQueue ui;
        CUiHandover handover(ui.Poster());
        SWorker dropped;
        dropped.Start(handover, handover.Epoch());
        QVERIFY(ui.WaitForCalls(1));
        handover.Discard();
        QVERIFY(dropped.Finished(5s));

        std::atomic<int> nRuns{0};
        std::atomic<int> nNestedPending{-1};
        std::future<bool> next = std::async(std::launch::async, [&] {
            return handover.Run(
                [&] {
                    ++nRuns;
                    nNestedPending = int(ui.Pending());
                    ui.RunWaiting(); // the nested event loop meets the next call's own post
                },
                handover.Epoch());
        });
        QVERIFY(ui.WaitForCalls(2));
        QVERIFY(ui.RunOne()); // the stale post runs the pending call
        QVERIFY(next.wait_for(5s) == std::future_status::ready);
        QVERIFY(next.get());
        QCOMPARE(nNestedPending.load(), 1);
        QCOMPARE(nRuns.load(), 1);
        QCOMPARE(dropped.nRuns.load(), 0);
        QCOMPARE(ui.Pending(), std::size_t(0));
    }

    // The engine on a pseudo-terminal: a purge with a batch in flight drops it, and the bytes that
    // come after the purge arrive.
    void enginePurgeWithBytesInFlight()
    {
        PseudoTerminal line(1);
        QVERIFY(line.IsValid());
        UiQueue ui;
        OwnerRecorder owner;
        CSerialEngine engine(ui.Poster());
        QVERIFY(test::StartEngine(engine, owner, 1, EV_RXCHAR));
        QVERIFY(line.Write(std::string("ABC")));
        QVERIFY(ui.WaitForCalls(1)); // the worker holds "ABC" and waits
        QVERIFY(line.Write(std::string("DEF")));
        QVERIFY(line.WaitQueued(3));
        engine.Purge(); // the driver's "DEF" and the handed batch "ABC" both go
        ui.RunWaiting();
        QVERIFY(owner.messages.empty());
        QVERIFY(line.Write(std::string("G")));
        while (owner.ReceivedBytes().isEmpty())
            QVERIFY(ui.RunOne());
        QCOMPARE(owner.ReceivedBytes(), QByteArray("G"));
        QVERIFY(owner.errors.empty());
    }

    // A re-open while the owner handles a batch: the rest of the batch is not handed to it.
    void stopInsideABatchDropsItsRest()
    {
        PseudoTerminal line(1);
        QVERIFY(line.IsValid());
        UiQueue ui;
        OwnerRecorder owner;
        CSerialEngine engine(ui.Poster());
        QVERIFY(test::StartEngine(engine, owner, 1, EV_RXCHAR));
        owner.onMessage = [&](const test::SRecordedMessage& m) {
            if (m.wParam == 'B')
                engine.Stop();
        };
        QVERIFY(line.Write(std::string("ABCD")));
        QVERIFY(line.WaitQueued(0));
        while (owner.ReceivedBytes().size() < 2)
            QVERIFY(ui.RunOne());
        ui.RunWaiting();
        QCOMPARE(owner.ReceivedBytes(), QByteArray("AB"));
    }
};

QTEST_APPLESS_MAIN(TestUiHandover)
#include "test_ui_handover.moc"
