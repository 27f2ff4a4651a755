// The instrument link as its own object, on a pseudo-terminal: a listing reaches the document
// through it, a lost line closes it (reported once), Load on a closed link opens the port again
// (a replugged adapter needs no restart), and error boxes come one at a time.

#include "link/InstrumentLink.h"

#include "SessionWatcher.h"
#include "resources/Strings.h"
#include "sim/ListingGenerator.h"
#include "tests/common/MessageRecorder.h"
#include "tests/common/PseudoTerminal.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace veldran;
using veldran::test::SessionWatcher;
using veldran::test::PseudoTerminal;

namespace {

constexpr int kQuietMs = 100;


std::string NoPortText()
{
    return QString::asprintf(text::kSerialInitFailed, 1, 1).toStdString();
}

// Shows each box by recording it; while the first is "open" it lets more reports arrive, as a
// box's own event loop would.
class NestingRecorder : public test::MessageRecorder {
public:
    void Show(const UserMessage& message) override
    {
        ++depth;
        maxDepth = std::max(maxDepth, depth);
        MessageRecorder::Show(message);
        if (whileShown && messages.size() == 1)
            whileShown();
        --depth;
    }
    std::function<void()> whileShown;
    int depth = 0;
    int maxDepth = 0;
};

} // namespace

class InstrumentLinkTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::MessageRecorder> m_messages;
    std::unique_ptr<SessionWatcher> m_view;
    CVELDRANDoc* m_doc = nullptr;
    std::unique_ptr<CInstrumentLink> m_link;

    void MakeLink()
    {
        m_link = std::make_unique<CInstrumentLink>(m_view->session, &m_view->mainWindow);
        m_link->Reception().SetQuietInterval(kQuietMs);
        m_link->m_dlgOptions.m_nPortIndex = 0; // COM1
        m_link->m_dlgOptions.m_nSpeedIndex = 0;
    }

    // LOAD (unless done), the listing, and the quiet time: the capture of the given lines is shown.
    void ReceiveListing(PseudoTerminal& line, int lines, bool bLoad = true)
    {
        if (bLoad)
            m_link->OnLoad();
        QVERIFY(m_link->Reception().TransferDialog());
        sim::SListingOptions options;
        options.nLines = lines;
        QVERIFY(line.Write(sim::GenerateListing(options)));
        QTRY_VERIFY_WITH_TIMEOUT(m_doc->IsDataReady(), 10000);
        QCOMPARE(m_doc->SampleCount(), lines);
        QCOMPARE(m_view->sampleCount(), lines);
    }

private slots:
    void init()
    {
        qputenv("VELDRAN_COM1", "/nonexistent/veldran-test-tty");
        CReception::ResetProgramState();
        m_messages = std::make_unique<test::MessageRecorder>();
        m_view = std::make_unique<SessionWatcher>();
        m_doc = &m_view->session.Document();
    }

    void cleanup()
    {
        m_link.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        m_doc = nullptr;
        m_view.reset();
        m_messages.reset();
    }

    void listingArrivesThroughTheLink()
    {
        PseudoTerminal line(1);
        QVERIFY(line.IsValid());
        MakeLink();
        m_link->OpenLink();
        QCOMPARE(m_link->m_bPortOpen, 1);
        QTRY_VERIFY(m_link->m_serial.IsRunning());
        ReceiveListing(line, 25);
        QVERIFY(m_messages->messages.empty());
    }

    // The settings' port is the kernel's console: not opened, said once (a file open tries again
    // without a second box), LOAD finds no connection. Named by its variable, it is opened.
    void consolePortOnlyWhenNamed()
    {
        qunsetenv("VELDRAN_COM1");
        QTemporaryDir dir;
        QVERIFY(QDir().mkpath(dir.filePath("sys/console")));
        SDeviceRoots roots;
        roots.strSysTty = dir.filePath("sys").toStdString();
        const auto listActive = [&roots](const std::string& names) {
            QFile active(QString::fromStdString(roots.strSysTty + "/console/active"));
            QVERIFY(active.open(QIODevice::WriteOnly | QIODevice::Truncate));
            active.write(QByteArray::fromStdString(names + "\n"));
        };
        listActive("tty0 ttyS0");
        MakeLink();
        m_link->SetDeviceRoots(roots);
        m_link->OpenLink();
        QCOMPARE(m_link->m_bPortOpen, 0);
        QVERIFY(!m_link->m_serial.IsOpen());
        const std::string said = SourceText(Message(text::kConsolePortRefused, {"1", "/dev/ttyS0", "VELDRAN_COM1", "/dev/ttyS0"}));
        QCOMPARE(m_messages->messages.size(), size_t(1));
        QCOMPARE(m_messages->Last(), said);
        m_link->OpenLink();
        QCOMPARE(m_messages->messages.size(), size_t(1));
        m_link->OnLoad();
        QVERIFY(m_messages->Saw(text::kNoConnection));
        QVERIFY(!m_link->m_serial.IsOpen());

        PseudoTerminal line(1);
        QVERIFY(line.IsValid());
        listActive(line.Path().substr(std::string("/dev/").size()));
        m_link->OpenLink();
        QCOMPARE(m_link->m_bPortOpen, 1);
        QTRY_VERIFY(m_link->m_serial.IsRunning());
    }

    // A file open runs OpenLink again: the running port stays unless its port or speed changed.
    // (The device name is made unopenable in between, so a re-open would fail with a box.)
    void openingAgainKeepsARunningPort()
    {
        PseudoTerminal line(1);
        QVERIFY(line.IsValid());
        MakeLink();
        m_link->OpenLink();
        QTRY_VERIFY(m_link->m_serial.IsRunning());
        qputenv("VELDRAN_COM1", "/nonexistent/veldran-test-tty");
        m_link->OpenLink();
        QCOMPARE(m_link->m_bPortOpen, 1);
        QVERIFY(m_messages->messages.empty());
        ReceiveListing(line, 5);

        m_link->m_dlgOptions.m_nSpeedIndex = 1; // 1200 baud: opened again, on the missing device
        m_link->OpenLink();
        QCOMPARE(m_link->m_bPortOpen, 0);
        QVERIFY(m_messages->SawStart(NoPortText() + "\n"));
    }

    // The adapter is pulled out: one box, the link counts as closed, and LOAD says so (the port
    // cannot be opened again while the device is gone).
    void hangUpClosesTheLink()
    {
        auto line = std::make_unique<PseudoTerminal>(1);
        QVERIFY(line->IsValid());
        MakeLink();
        m_link->OpenLink();
        QTRY_VERIFY(m_link->m_serial.IsRunning());
        line.reset();
        QTRY_COMPARE_WITH_TIMEOUT(m_messages->CountCaption(text::kApplicationError), 1, 10000);
        QCOMPARE(m_link->m_bPortOpen, 0);
        QTRY_VERIFY(!m_link->m_serial.IsRunning());

        m_messages->Clear();
        m_link->OnLoad();
        QCOMPARE(m_messages->Last(), std::string(text::kNoConnection));
        QCOMPARE(m_messages->messages.size(), size_t(1));
        QVERIFY(!m_link->Reception().TransferDialog());
        QCOMPARE(m_link->m_bPortOpen, 0);
    }

    void loadOpensThePortAgain_data()
    {
        QTest::addColumn<bool>("hangUpFirst");
        QTest::newRow("replugged after a hang-up") << true;
        QTest::newRow("plugged in after the start") << false;
    }

    // LOAD on a closed link opens the port of the settings again, without a box of its own.
    void loadOpensThePortAgain()
    {
        QFETCH(bool, hangUpFirst);
        MakeLink();
        if (hangUpFirst) {
            auto first = std::make_unique<PseudoTerminal>(1);
            m_link->OpenLink();
            QTRY_VERIFY(m_link->m_serial.IsRunning());
            first.reset();
            QTRY_COMPARE_WITH_TIMEOUT(m_link->m_bPortOpen, 0, 10000);
        } else {
            m_link->OpenLink();
            QCOMPARE(m_link->m_bPortOpen, 0);
            QVERIFY(m_messages->SawStart(NoPortText() + "\n"));
        }
        m_messages->Clear();

        PseudoTerminal line(1);
        QVERIFY(line.IsValid());
        m_link->OnLoad();
        QCOMPARE(m_link->m_bPortOpen, 1);
        QVERIFY(m_messages->messages.empty());
        QVERIFY(m_link->Reception().TransferDialog());
        QTRY_VERIFY(m_link->m_serial.IsRunning());
        ReceiveListing(line, 7, false);
        QVERIFY(m_messages->messages.empty());
    }

    // A report that arrives while a box is shown waits for it; the same report twice is one box.
    void errorBoxesComeOneAtATime()
    {
        m_messages.reset();
        NestingRecorder recorder;
        MakeLink();
        recorder.whileShown = [this] {
            m_link->OnSerialError("second");
            m_link->OnSerialError("second");
            m_link->OnSerialError("first");
            m_link->OnSerialError("third");
        };
        m_link->OnSerialError("first");
        QCOMPARE(recorder.maxDepth, 1);
        QCOMPARE(int(recorder.messages.size()), 3);
        QCOMPARE(recorder.messages[0].text, std::string("first"));
        QCOMPARE(recorder.messages[1].text, std::string("second"));
        QCOMPARE(recorder.messages[2].text, std::string("third"));
        for (const auto& m : recorder.messages)
            QCOMPARE(m.caption, std::string(text::kApplicationError));
        // Afterwards a report is shown at once again.
        m_link->OnSerialError("later");
        QCOMPARE(recorder.Last(), std::string("later"));
    }

    void ctsAnswerDependsOnThePort_data()
    {
        QTest::addColumn<int>("port");
        QTest::addColumn<long>("answer");
        QTest::newRow("COM1") << 1 << 0L;
        QTest::newRow("COM4") << 4 << 0L;
        QTest::newRow("COM0") << 0 << -1L;
        QTest::newRow("COM5") << 5 << -1L;
    }

    void ctsAnswerDependsOnThePort()
    {
        QFETCH(int, port);
        QFETCH(long, answer);
        MakeLink();
        QCOMPARE(m_link->OnSerialMessage(WM_SERIAL_CTS, 0, port), answer);
    }
};

QTEST_MAIN(InstrumentLinkTest)
#include "InstrumentLinkTest.moc"
