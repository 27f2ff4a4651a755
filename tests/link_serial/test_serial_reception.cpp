// What the owner of the serial engine sees of the bytes on the line: one message per byte, in
// order, after the status messages of the wake; and how stops and hang-ups end the worker.

#include "tests/common/PseudoTerminal.h"
#include "UiQueue.h"
#include "link/serial/SerialEngine.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include <chrono>
#include <memory>

using namespace veldran;
using veldran::test::OwnerRecorder;
using veldran::test::PseudoTerminal;
using veldran::test::UiQueue;

Q_DECLARE_METATYPE(QList<uint>)

using veldran::test::WaitUntilRunning;

// The voluntary context switches of the engine's worker thread so far (-1: no such thread).
long WorkerWakes()
{
    QDir tasks(QStringLiteral("/proc/self/task"));
    for (const QString& tid : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile comm(tasks.filePath(tid + QStringLiteral("/comm")));
        if (!comm.open(QIODevice::ReadOnly) || comm.readAll().trimmed() != CSerialEngine::kWorkerThreadName)
            continue;
        QFile status(tasks.filePath(tid + QStringLiteral("/status")));
        if (!status.open(QIODevice::ReadOnly))
            return -1;
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("voluntary_ctxt_switches:"))
                return line.mid(line.indexOf(':') + 1).trimmed().toLong();
    }
    return -1;
}

// nBytes of a printable pattern.
QByteArray Pattern(int nBytes)
{
    QByteArray bytes;
    for (int n = 0; n < nBytes; ++n)
        bytes += char('0' + n % 79);
    return bytes;
}

// Writes bytes to the line from another thread, nChunk bytes every nGapMs milliseconds.
std::thread WriteSpaced(PseudoTerminal& line, const QByteArray& bytes, int nChunk, int nGapMs)
{
    return std::thread([&line, bytes, nChunk, nGapMs] {
        for (int n = 0; n < bytes.size(); n += nChunk) {
            (void)line.Write(bytes.mid(n, nChunk));
            std::this_thread::sleep_for(std::chrono::milliseconds(nGapMs));
        }
    });
}

class TestSerialReception : public QObject {
    Q_OBJECT

private:
    // Opens COM<nPort> on the pseudo-terminal and starts the worker; false when that failed.
    bool Start(CSerialEngine& engine, OwnerRecorder& owner, int nPort, uint32_t nMask)
    {
        return test::StartEngine(engine, owner, nPort, nMask);
    }

    // Makes the worker find all of bytes in one wake: the first byte wakes it, and while it waits
    // for its first message to be handled (having taken that byte) the rest arrives.
    bool QueueForOneWake(PseudoTerminal& line, UiQueue& ui, const QByteArray& bytes)
    {
        return line.Write(bytes.left(1)) && ui.WaitForCalls(1) && line.Write(bytes.mid(1))
            && line.WaitQueued(int(bytes.size()) - 1);
    }

private slots:
    void bytesOfOneWake_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<uint>("mask");
        QTest::addColumn<QList<uint>>("status");
        QTest::addColumn<int>("port");

        QByteArray allValues;
        for (int n = 0; n < 256; ++n)
            allValues += char(n);
        QTest::newRow("three bytes, view mask") << QByteArray("ABC") << uint(EV_VIEW_MASK)
                                                << QList<uint>{WM_SERIAL_CTS} << 1;
        QTest::newRow("byte 0xB0 is 176") << QByteArray("\xB0") << uint(EV_VIEW_MASK) << QList<uint>{WM_SERIAL_CTS}
                                          << 1;
        QTest::newRow("every byte value unchanged, bytes only")
            << allValues << uint(EV_RXCHAR) << QList<uint>{} << 2;
        QTest::newRow("every status bit, fixed order")
            << QByteArray("\r\n") << uint(EV_KNOWN)
            << QList<uint>{WM_SERIAL_CTS, WM_SERIAL_RXFLAG, WM_SERIAL_BREAK, WM_SERIAL_ERR, WM_SERIAL_RING} << 4;
    }

    void bytesOfOneWake()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(uint, mask);
        QFETCH(QList<uint>, status);
        QFETCH(int, port);
        PseudoTerminal line(port);
        QVERIFY(line.IsValid());
        UiQueue ui;
        OwnerRecorder owner;
        CSerialEngine engine(ui.Poster());
        QVERIFY(Start(engine, owner, port, mask));

        QVERIFY(QueueForOneWake(line, ui, bytes));
        const int nExpected = int(status.size() + bytes.size());
        while (int(owner.messages.size()) < nExpected)
            QVERIFY2(ui.RunOne(), "a message is missing");

        QCOMPARE(int(owner.messages.size()), nExpected);
        for (int n = 0; n < nExpected; ++n) {
            const auto& m = owner.messages[size_t(n)];
            QCOMPARE(m.lParam, port);
            if (n < status.size()) {
                QCOMPARE(m.nMessage, status[n]);
                QCOMPARE(m.wParam, 0u);
            } else {
                QCOMPARE(m.nMessage, WM_SERIAL_RXCHAR);
                QCOMPARE(m.wParam, uint(static_cast<unsigned char>(bytes[n - status.size()])));
            }
        }
        QVERIFY(owner.errors.empty());
        QCOMPARE(line.Queued(), 0);
    }

    // Bytes that trickle in over many wakes: each wake starts with exactly one CTS message.
    void everyWakeStartsWithStatus()
    {
        PseudoTerminal line(1);
        QVERIFY(line.IsValid());
        UiQueue ui;
        OwnerRecorder owner;
        CSerialEngine engine(ui.Poster());
        QVERIFY(Start(engine, owner, 1, EV_VIEW_MASK));

        const QByteArray sent = Pattern(3000);
        std::thread writer = WriteSpaced(line, sent, 100, 2);
        while (owner.ReceivedBytes().size() < sent.size() && ui.RunOne()) {
        }
        writer.join();

        QCOMPARE(owner.ReceivedBytes(), sent);
        QVERIFY(owner.errors.empty());
        QCOMPARE(owner.messages.front().nMessage, WM_SERIAL_CTS);
        for (size_t n = 1; n < owner.messages.size(); ++n)
            QVERIFY2(!(owner.messages[n].nMessage == WM_SERIAL_CTS && owner.messages[n - 1].nMessage == WM_SERIAL_CTS),
                     "a wake without bytes announced itself");
    }

    // A line that brings a few bytes every few milliseconds (a listing at the line rate) is
    // handed over in gathered batches, not in a round trip per arrival; a tail that arrives after
    // a pause still comes without more bytes behind it; and once the line is quiet the worker
    // waits without a time limit again, so an idle port wakes nobody.
    void trickleIsGatheredAndIdleCostsNothing()
    {
        PseudoTerminal line(1);
        QVERIFY(line.IsValid());
        UiQueue ui;
        OwnerRecorder owner;
        CSerialEngine engine(ui.Poster());
        QVERIFY(Start(engine, owner, 1, EV_RXCHAR));

        constexpr int kWrites = 60;
        const QByteArray sent = Pattern(kWrites * 5);
        std::thread writer = WriteSpaced(line, sent, 5, 5);
        int nHandovers = 0;
        while (owner.ReceivedBytes().size() < sent.size() && ui.RunOne())
            ++nHandovers;
        writer.join();
        QCOMPARE(owner.ReceivedBytes(), sent);
        // 300 ms of writes; a batch every few tens of milliseconds, against one per write.
        QVERIFY2(nHandovers <= kWrites / 3, qPrintable(QStringLiteral("%1 handovers").arg(nHandovers)));

        // A tail after a pause, while the worker still gathers.
        QVERIFY(line.Write(QByteArray("xy")));
        while (owner.ReceivedBytes().size() < sent.size() + 2)
            QVERIFY2(ui.RunOne(), "the tail did not come");
        QVERIFY(owner.ReceivedBytes().endsWith("xy"));

        // A gathering wait that finds nothing ends the gathering; from then on nothing wakes.
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        const long nBefore = WorkerWakes();
        QVERIFY(nBefore >= 0);
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        QCOMPARE(WorkerWakes(), nBefore);
        QCOMPARE(ui.Pending(), std::size_t(0));

        // …and the first byte after the quiet wakes it at once again.
        QVERIFY(line.Write(QByteArray("z")));
        QVERIFY(ui.RunOne());
        QVERIFY(owner.ReceivedBytes().endsWith("z"));
        QVERIFY(owner.errors.empty());
    }

    // A stop never waits for the user-interface thread, which is the thread stopping and so does
    // not run the posted call; bytes still pending are not delivered, and the call posted before
    // the stop does nothing when it finally runs (also after the engine is gone).
    void stopReleasesTheWorker_data()
    {
        QTest::addColumn<bool>("blocked");
        QTest::addColumn<bool>("reopen");
        QTest::newRow("destroy, quiet line") << false << false;
        QTest::newRow("destroy while handing over, bytes pending") << true << false;
        QTest::newRow("re-open while handing over, bytes pending") << true << true;
    }

    void stopReleasesTheWorker()
    {
        QFETCH(bool, blocked);
        QFETCH(bool, reopen);
        PseudoTerminal line(1);
        QVERIFY(line.IsValid());
        UiQueue ui;
        OwnerRecorder owner;
        auto pEngine = std::make_unique<CSerialEngine>(ui.Poster());
        QVERIFY(Start(*pEngine, owner, 1, EV_VIEW_MASK));
        if (blocked)
            QVERIFY(QueueForOneWake(line, ui, "ABC"));

        const auto start = std::chrono::steady_clock::now();
        if (reopen)
            QCOMPARE(pEngine->Open(&owner, 1, 9600, 'N', 8, 1, EV_VIEW_MASK), 1);
        else
            pEngine.reset();
        QVERIFY(std::chrono::steady_clock::now() - start < std::chrono::seconds(2));
        if (reopen)
            QVERIFY(!pEngine->IsRunning());

        ui.RunWaiting();
        QVERIFY(owner.messages.empty());
        QVERIFY(owner.errors.empty());
        if (!reopen)
            return;

        // The fresh worker delivers what arrives now, and only that: the old bytes were purged.
        QCOMPARE(pEngine->StartWorker(), 1);
        QVERIFY(WaitUntilRunning(*pEngine, true));
        QVERIFY(QueueForOneWake(line, ui, "D"));
        while (owner.messages.size() < 2)
            QVERIFY(ui.RunOne());
        QCOMPARE(int(owner.messages.size()), 2);
        QCOMPARE(owner.messages[0].nMessage, WM_SERIAL_CTS);
        QCOMPARE(owner.ReceivedBytes(), QByteArray("D"));
    }

    // The owner re-opens the port while it handles a byte (a capture file opened from a nested
    // event loop does that): the old worker is waiting for this very handler, and must let go.
    void reopenInsideHandler()
    {
        PseudoTerminal line(1);
        QVERIFY(line.IsValid());
        UiQueue ui;
        OwnerRecorder owner;
        CSerialEngine engine(ui.Poster());
        QVERIFY(Start(engine, owner, 1, EV_VIEW_MASK));
        bool bReopened = false;
        owner.onMessage = [&](const test::SRecordedMessage& m) {
            if (m.nMessage != WM_SERIAL_RXCHAR || m.wParam != 'A')
                return;
            bReopened = engine.Open(&owner, 1, 9600, 'N', 8, 1, EV_VIEW_MASK) == 1 && engine.StartWorker() == 1;
        };
        QVERIFY(QueueForOneWake(line, ui, "ABC"));
        while (owner.ReceivedBytes().isEmpty())
            QVERIFY(ui.RunOne());
        QVERIFY(bReopened);
        QVERIFY(WaitUntilRunning(engine, true));

        QVERIFY(QueueForOneWake(line, ui, "D"));
        while (owner.ReceivedBytes().size() < 2)
            QVERIFY(ui.RunOne());
        QCOMPARE(owner.ReceivedBytes(), QByteArray("AD"));
        QVERIFY(owner.errors.empty());
    }

    // The far end goes away: one box naming the read, then the worker ends instead of spinning.
    void hangUpIsReportedOnce_data()
    {
        QTest::addColumn<bool>("midStream");
        QTest::newRow("quiet line") << false;
        QTest::newRow("bytes still pending") << true;
    }

    void hangUpIsReportedOnce()
    {
        QFETCH(bool, midStream);
        PseudoTerminal line(1);
        QVERIFY(line.IsValid());
        UiQueue ui;
        OwnerRecorder owner;
        CSerialEngine engine(ui.Poster());
        QVERIFY(Start(engine, owner, 1, EV_VIEW_MASK));

        // Mid-stream the line goes while B is being handled, with C to F still queued.
        const QByteArray sent = midStream ? "ABCDEF" : "AB";
        if (midStream)
            owner.onMessage = [&](const test::SRecordedMessage& m) {
                if (m.nMessage == WM_SERIAL_RXCHAR && m.wParam == 'B')
                    line.CloseMaster();
            };
        QVERIFY(QueueForOneWake(line, ui, sent));
        while (owner.ReceivedBytes().size() < 2)
            QVERIFY(ui.RunOne());
        line.CloseMaster();

        while (owner.errors.empty() && ui.RunOne()) {
        }
        QCOMPARE(int(owner.errors.size()), 1);
        const std::string& text = owner.errors.front();
        QVERIFY2(text.rfind("WARNING:  ReadFile() Failed with the following error: \n", 0) == 0, text.c_str());
        QVERIFY2(text.find("disconnected") != std::string::npos, text.c_str());
        QVERIFY(QByteArray::fromStdString(text).endsWith("\nPort: 1\n"));
        QVERIFY(WaitUntilRunning(engine, false));
        ui.RunWaiting();
        QCOMPARE(int(owner.errors.size()), 1);
        QVERIFY(sent.startsWith(owner.ReceivedBytes()));
    }
};

QTEST_APPLESS_MAIN(TestSerialReception)
#include "test_serial_reception.moc"
