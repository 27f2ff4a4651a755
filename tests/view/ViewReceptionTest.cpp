// A state listing travelling the whole road: written into a pseudo-terminal as the instrument
// would, read by the serial worker, handed to the view byte by byte, parsed and shown.

#include "tests/common/ListingBuilder.h"
#include "tests/common/MessageRecorder.h"
#include "tests/common/PseudoTerminal.h"
#include "tests/common/TestEnvironment.h"

#include "link/SettingsFile.h"
#include "link/TransferDialog.h"
#include "resources/Ids.h"
#include "resources/Strings.h"
#include "sim/ListingGenerator.h"
#include "link/InstrumentLink.h"
#include "view/VeldranView.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <fcntl.h>
#include <sys/file.h>
#include <termios.h>
#include <unistd.h>

using namespace veldran;

namespace {

// The line's quiet time that ends a reception, shorter than the program's 800 ms.
constexpr int kQuietMs = 150;


} // namespace

class ViewReceptionTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::PseudoTerminal> m_line;
    std::unique_ptr<test::MessageRecorder> m_messages;
    std::unique_ptr<CCaptureSession> m_session;
    CVELDRANDoc* m_document = nullptr;
    std::unique_ptr<CVELDRANView> m_view;
    std::unique_ptr<CInstrumentLink> m_link;

    void StartView()
    {
        m_view = std::make_unique<CVELDRANView>(*m_session);
        m_link = std::make_unique<CInstrumentLink>(*m_session, m_view.get());
        m_view->resize(1000, 600);
        m_view->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
        m_session->OpenCapture();
        m_link->Reception().SetQuietInterval(kQuietMs);
        // The worker purges the line as it starts: the instrument sends after that, as a user
        // presses STATE after LOAD.
        if (m_link->m_bPortOpen)
            QTRY_VERIFY(m_link->m_serial.IsRunning());
    }

    // A capture shown before a reception starts, as a file open leaves it.
    void LoadFixedCapture()
    {
        test::Load(*m_document, test::DataTokens({{0, 0xFFFF, 0}, {0xFFFF, 0, 0xFFFF}}));
    }

    // The progress text of the value field, as often as the test looks while bytes arrive.
    QString ValueField() const
    {
        return qobject_cast<QLineEdit*>(m_view->GetDlgItem(ids::kXPosData))->text();
    }

private slots:
    void init()
    {
        m_line = std::make_unique<test::PseudoTerminal>(0);
        QVERIFY(m_line->IsValid());
        // Whatever port the settings name, it is this line.
        m_line->MapPorts();
        QVERIFY(WriteSettings(SettingsPath(), 0, 0, nullptr));
        m_messages = std::make_unique<test::MessageRecorder>();
        m_session = std::make_unique<CCaptureSession>();
        m_document = &m_session->Document();
        CReception::ResetProgramState();
    }

    void cleanup()
    {
        m_link.reset();
        m_view.reset();
        m_document = nullptr;
        m_session.reset();
        m_messages.reset();
        m_line.reset();
    }

    void listingArrivesAsSamples()
    {
        StartView();
        QCOMPARE(m_link->m_bPortOpen, 1);
        m_link->OnLoad();
        QVERIFY(m_link->Reception().TransferDialog());
        QVERIFY(!m_view->isEnabled()); // the main window waits for the transfer

        sim::SListingOptions options;
        options.nLines = 120;
        options.pattern = sim::EPattern::Clock;
        QVERIFY(m_line->Write(sim::GenerateListing(options)));
        QTRY_VERIFY_WITH_TIMEOUT(m_document->IsDataReady(), 20000);

        QCOMPARE(m_document->SampleCount(), 120);
        QCOMPARE(m_session->SampleCount(), 120);
        for (int s = 0; s < 120; s += 11)
            for (int ch = 0; ch < 48; ++ch)
                QCOMPARE(int(m_document->Level(s, ch)), int((sim::PatternLevels(sim::EPattern::Clock, s) >> ch) & 1));
        for (int k = 0; k < 16; ++k)
            QCOMPARE(m_view->Trace(k).SampleCount(), 120);
        QVERIFY(m_view->isEnabled());
        QVERIFY(!m_link->Reception().TransferDialog());
        // Both cursors are still at 0, yet the field shows the new capture's cell words at 0, not
        // the last line counter of the transfer.
        QStringList words;
        for (int cell = 0; cell < 3; ++cell) {
            QString word;
            for (int bit = 15; bit >= 0; --bit)
                word += QLatin1Char(((sim::PatternLevels(sim::EPattern::Clock, 0) >> (cell * 16 + bit)) & 1) ? '1' : '0');
            words << word;
        }
        QCOMPARE(ValueField(), words.join(QStringLiteral("  ")));
        QCOMPARE(QString::fromStdString(m_document->GetTitle()), QStringLiteral("제목없음"));
        // The capture exists nowhere but in the program, so leaving it must offer to save it.
        QVERIFY(m_document->IsModified());
        QCOMPARE(m_messages->CountCaption(text::kApplicationError), 0);
    }

    void noiseBetweenTokensChangesNothing()
    {
        StartView();
        m_link->OnLoad();
        // Separators of every kind: blanks, control bytes, signs below '0' and bytes above 0x7F
        // (0xB0 among them) end a token like a line end; runs of them make no tokens.
        std::string listing = "\x01\xB0STATE\tA1 B2\x7F C3,D4;E5 F6 G7 H8 I9 J10 K11\r\n";
        listing.replace(listing.find(";"), 1, "\xB0\xFF");
        for (int i = 0; i < 3; ++i) {
            const char* cells[] = {"0000000000000001", "1000000000000000", "0101010101010101"};
            listing += QString::asprintf("%04d", i).toStdString() + "\xB0" + cells[0] + std::string("\x00\x1B", 2) + cells[1] + "  !#" +
                       cells[2] + "\r\n";
        }
        QVERIFY(m_line->Write(listing));
        QTRY_VERIFY_WITH_TIMEOUT(m_document->IsDataReady(), 10000);
        QCOMPARE(m_document->SampleCount(), 3);
        QCOMPARE(m_document->Tokens().size(), size_t(12 + 4 * 3));
        QCOMPARE(int(m_document->Level(2, 0)), 1);
        QCOMPARE(int(m_document->Level(2, 31)), 1);
        QCOMPARE(int(m_document->Level(2, 32)), 1);
        QCOMPARE(int(m_document->Level(2, 33)), 0);
        QVERIFY(!m_messages->Saw(text::kTransferAbort));
    }

    void cancelBeforeTheFirstByte()
    {
        LoadFixedCapture();
        StartView();
        m_link->OnLoad();
        auto* cancel = m_link->Reception().TransferDialog()->findChild<QPushButton*>(QString::number(ids::kCancelTransfer));
        cancel->click();
        QTRY_VERIFY(!m_link->Reception().IsReceiving());
        QVERIFY(m_view->isEnabled());
        // The capture shown before stays, its tokens with it.
        QCOMPARE(m_document->Tokens().size(), size_t(2 * 4));
        QCOMPARE(m_session->SampleCount(), 2);
        QCOMPARE(m_document->SampleCount(), 2);
        QVERIFY(m_document->IsDataReady());
        QCOMPARE(m_view->Trace(0).SampleCount(), 2);
    }

    void aReceivedCaptureWidensTheRow()
    {
        LoadFixedCapture();
        StartView();
        // Wide enough for the widened row on one line: a narrower view would break it in two.
        m_view->resize(1400, 600);
        QCoreApplication::processEvents();
        // Clock OFF: X − Y of the far cursors reads "-1000000.0000us" for two samples and
        // "-119000000.0000us" for 120.
        QWidget* distance = m_view->GetDlgItem(ids::kXYDistance);
        QWidget* valueField = m_view->GetDlgItem(ids::kXPosData);
        const int width = distance->width();
        const int valueFieldX = valueField->x();
        m_link->OnLoad();
        sim::SListingOptions options;
        options.nLines = 120;
        QVERIFY(m_line->Write(sim::GenerateListing(options)));
        QTRY_COMPARE_WITH_TIMEOUT(m_view->Trace(0).SampleCount(), 120, 20000);
        QVERIFY(m_document->IsDataReady() && !m_link->Reception().IsReceiving());
        QVERIFY2(distance->width() > width, qPrintable(QString::number(width)));
        QCOMPARE(valueField->x() - valueFieldX, distance->width() - width);
    }

    void listingWithoutStateIsRefused()
    {
        StartView();
        m_link->OnLoad();
        QVERIFY(m_line->Write("LISTING 0000 0101010101010101\r\n"));
        QTRY_VERIFY_WITH_TIMEOUT(m_messages->Saw(text::kTransferAbort), 10000);
        QVERIFY(!m_link->Reception().IsReceiving());
        QVERIFY(m_view->isEnabled());
        QVERIFY(!m_document->IsDataReady());
    }

    void cancelDuringAListing()
    {
        StartView();
        m_link->OnLoad();
        QVERIFY(m_line->Write("STATE A1 B2 C3 D4 E5 F6 G7 H8 I9 J10 K11\r\n0000 "));
        QTRY_VERIFY_WITH_TIMEOUT(m_link->Reception().StateSeen(), 10000);
        auto* cancel = m_link->Reception().TransferDialog()->findChild<QPushButton*>(QString::number(ids::kCancelTransfer));
        QVERIFY(cancel);
        cancel->click();
        QTRY_VERIFY(!m_link->Reception().IsReceiving());
        QVERIFY(m_view->isEnabled());
        // The rest of the listing arrives after the cancel and changes nothing.
        QVERIFY(m_line->Write("0000000000000001 0000000000000010 0000000000000100\r\n"));
        QTest::qWait(3 * kQuietMs);
        QVERIFY(!m_document->IsDataReady());
    }

    void hangUpInTheMiddleIsReportedOnce()
    {
        StartView();
        m_link->OnLoad();
        sim::SListingOptions options;
        options.nLines = 10;
        const std::string listing = sim::GenerateListing(options);
        QVERIFY(m_line->Write(listing.substr(0, listing.size() / 2)));
        QTRY_VERIFY_WITH_TIMEOUT(m_link->Reception().StateSeen(), 10000);
        m_line->CloseMaster();
        QTRY_COMPARE_WITH_TIMEOUT(m_messages->CountCaption(text::kApplicationError), 1, 10000);
        // The reception still ends when the line has been quiet, and nothing more is reported.
        QTRY_VERIFY_WITH_TIMEOUT(!m_link->Reception().IsReceiving(), 10000);
        QTest::qWait(300);
        QCOMPARE(m_messages->CountCaption(text::kApplicationError), 1);
        QVERIFY(m_view->isEnabled());
    }

    void portHeldByAnotherProgram()
    {
        const int holder = ::open(m_line->Path().c_str(), O_RDWR | O_NOCTTY);
        QVERIFY(holder >= 0);
        QCOMPARE(::flock(holder, LOCK_EX | LOCK_NB), 0);
        StartView();
        QCOMPARE(m_link->m_bPortOpen, 0);
        // The box keeps its text; the line added below it names the process holding the port.
        const std::string kept = QString::asprintf(text::kSerialInitFailed, 1, 1).toStdString() + "\n";
        const std::string shown = m_messages->Last();
        QCOMPARE(shown.substr(0, kept.size()), kept);
        const std::string reason = shown.substr(kept.size());
        QVERIFY2(reason.find(m_line->Path()) != std::string::npos, reason.c_str());
        QVERIFY2(reason.find("프로세스 " + std::to_string(getpid())) != std::string::npos, reason.c_str());
        QVERIFY(reason.find('\n') == std::string::npos);
        m_link->OnLoad();
        QVERIFY(m_messages->Saw(text::kNoConnection));
        QVERIFY(!m_link->Reception().TransferDialog());
        ::close(holder);
    }

    void lineSettingsFollowTheSpeed()
    {
        QVERIFY(WriteSettings(SettingsPath(), 0, 1, nullptr));
        StartView();
        QCOMPARE(m_link->m_bPortOpen, 1);
        const int probe = ::open(m_line->Path().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        QVERIFY(probe >= 0);
        termios tio{};
        QCOMPARE(tcgetattr(probe, &tio), 0);
        ::close(probe);
        QCOMPARE(cfgetispeed(&tio), speed_t(B1200));
        QCOMPARE(tio.c_cflag & CSIZE, tcflag_t(CS8));
        QVERIFY(!(tio.c_cflag & PARENB));
        QVERIFY(!(tio.c_cflag & CSTOPB));
        QVERIFY(WriteSettings(SettingsPath(), 0, 0, nullptr));
    }
};

QTEST_MAIN(ViewReceptionTest)
#include "ViewReceptionTest.moc"
