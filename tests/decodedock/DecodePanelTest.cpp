// The Decode panel on a capture with a UART line on D0 (10 samples a bit) and a few bytes: the run in
// the background fills the table and the strip, the clock OFF is refused before anything runs, the
// filters, a click, the CSV, the kept set-up, and a capture that goes while a run is under way.

#include "tests/common/ListingBuilder.h"
#include "tests/common/MessageRecorder.h"
#include "tests/common/ProtocolWaves.h"

#include "decode/DecodeRun.h"
#include "decodedock/AnnotationStrip.h"
#include "decodedock/AnnotationTableModel.h"
#include "decodedock/DecodePanel.h"
#include "decodedock/DecoderSetupForm.h"
#include "view/VeldranView.h"

#include <QFile>
#include <QImage>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

using namespace veldran;

namespace {

const std::vector<uint8_t> kBytes{'V', 'e', 'l', 0x00, 0xA5, 'd'};
constexpr double kClockPeriod = 1e-6; // 1 MHz: 100,000 baud is 10 samples a bit

std::vector<test::Cells> UartCapture()
{
    test::CWaves waves(1);
    waves.Hold(25);
    for (uint8_t byte : kBytes) {
        test::AppendUartByte(waves, 0, byte, 10.0, test::Parity::None);
        waves.Hold(7);
    }
    waves.Hold(30);
    return waves.CellsOf();
}

const std::vector<DecoderSetting> kUart{{"uart", {{"baudrate", "100000"}}, {{"rx", "D0"}}}};

} // namespace

class DecodePanelTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::MessageRecorder> m_messages;
    std::unique_ptr<CCaptureSession> m_session;
    std::unique_ptr<CVELDRANView> m_view;
    std::unique_ptr<DecodePanel> m_panel;

    void RunAndWait()
    {
        QSignalSpy finished(m_panel.get(), &DecodePanel::runFinished);
        QVERIFY(m_panel->Run());
        QVERIFY(m_panel->IsRunning());
        QVERIFY(finished.wait(20000));
    }

private slots:
    void initTestCase()
    {
        if (!InstalledDecoders().strError.empty() || !InstalledDecoders().Find("uart"))
            QSKIP("libsigrokdecode with its uart decoder is not installed");
    }

    void init()
    {
        m_messages = std::make_unique<test::MessageRecorder>();
        m_session = std::make_unique<CCaptureSession>();
        test::Load(m_session->Document(), test::DataTokens(UartCapture()), {});
        m_session->OpenCapture();
        m_view = std::make_unique<CVELDRANView>(*m_session);
        m_view->resize(900, 500);
        m_view->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
        m_panel = std::make_unique<DecodePanel>(*m_session, m_view->Trace(0));
        m_panel->resize(900, 400);
        m_panel->Setup().SetStack(kUart);
    }

    void cleanup()
    {
        m_panel.reset();
        m_view.reset();
        m_session.reset();
    }

    void clockOffIsRefusedBeforeAnythingRuns()
    {
        QVERIFY(!m_panel->Run());
        QVERIFY(!m_panel->IsRunning());
        QVERIFY(m_panel->StatusText().contains(QStringLiteral("uart")));
        QCOMPARE(m_panel->Table().rowCount(), 0);
        QVERIFY(m_session->FindExtraSection(kDecoderSection) == nullptr);
    }

    void runFillsTheTableTheStripAndKeepsTheSetUp()
    {
        m_session->SetClockPeriod(1, kClockPeriod);
        RunAndWait();
        // The RX row holds the bytes sent, in order, each after its start bit.
        const std::vector<AnnotationTableModel::RowChoice> rows = m_panel->Table().RowChoices();
        const auto rx = std::find_if(rows.begin(), rows.end(),
                                     [](const auto& row) { return row.strText == QStringLiteral("uart: RX"); });
        QVERIFY(rx != rows.end());
        m_panel->Table().SetFilter(&*rx, {});
        QStringList data;
        std::vector<int64_t> starts;
        const CAnnotationStore& store = *m_panel->Table().Store();
        for (int r = 0; r < m_panel->Table().rowCount(); ++r) {
            const DecodedAnnotation& a = *m_panel->Table().AnnotationAt(r);
            QCOMPARE(QString::fromUtf8(store.RowId(a).data(), int(store.RowId(a).size())), QStringLiteral("rx-data"));
            if (store.ClassId(a) == "rx-data") {
                data << m_panel->Table().index(r, AnnotationTableModel::Text).data().toString();
                starts.push_back(a.nStart);
            }
        }
        QStringList expected;
        for (uint8_t byte : kBytes)
            expected << QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper();
        QCOMPARE(data, expected);
        QCOMPARE(starts.front(), int64_t{25 + 10}); // the first data bit, after the start bit
        QVERIFY(m_panel->StatusText().contains(QString::number(m_panel->Table().Store()->Count())));

        // The word filter narrows the table; a click moves X to the annotation's start.
        m_panel->Table().SetFilter(nullptr, QStringLiteral("a5"));
        QVERIFY(m_panel->Table().rowCount() >= 1);
        const int64_t start = m_panel->Table().AnnotationAt(0)->nStart;
        m_panel->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_panel.get()));
        QTest::mouseClick(m_panel->TableView().viewport(), Qt::LeftButton, {},
                          m_panel->TableView().visualRect(m_panel->Table().index(0, 0)).center());
        QCOMPARE(m_session->XCursor(), int(start));

        // The strip draws boxes where the window shows annotations, lined up with the traces: with
        // the whole capture in the window, the boxes of the bits cover most of its width.
        m_session->SetWindow(1023);
        m_panel->Strip().resize(m_view->width(), m_panel->Strip().sizeHint().height());
        const CTraceStatic& trace = m_view->Trace(0);
        QCOMPARE(m_panel->Strip().SampleX(trace.m_nStart) + (m_panel->Strip().mapToGlobal(QPoint()).x()),
                 double(trace.mapToGlobal(trace.LaidOutTraceArea().topLeft()).x()));
        const QImage strip = m_panel->Strip().grab().toImage();

        const QRgb background = strip.pixel(0, 0);
        int painted = 0;
        for (int x = 0; x < strip.width(); ++x)
            painted += strip.pixel(x, 2) != background ? 1 : 0;
        QVERIFY2(painted > trace.LaidOutTraceArea().width() / 2, qPrintable(QString::number(painted)));

        // The set-up run is kept with the capture, and a panel made later shows it again.
        const ExtraSection* kept = m_session->FindExtraSection(kDecoderSection);
        QVERIFY(kept && kept->lines.size() == 1);
        QCOMPARE(QString::fromStdString(kept->lines[0]), QStringLiteral("uart:rx=D0:baudrate=100000"));
        DecodePanel again(*m_session, m_view->Trace(0));
        QCOMPARE(again.Setup().Stack().front().options, kUart.front().options);
        QCOMPARE(again.Setup().Stack().front().channels, kUart.front().channels);
    }

    void csvHoldsTheRowsShown()
    {
        m_session->SetClockPeriod(1, kClockPeriod);
        RunAndWait();
        m_panel->Table().SetFilter(nullptr, QStringLiteral("a5"));
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("uart.csv"));
        m_panel->SetCsvPathPrompt([path] { return path; });
        QVERIFY(m_panel->ExportCsv());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        QCOMPARE(lines.front(), QByteArray("start,end,decoder,row,class,text"));
        QCOMPARE(lines.size(), m_panel->Table().rowCount() + 2); // the header, and the last line's end
        QVERIFY(lines[1].startsWith(QByteArray::number(m_panel->Table().AnnotationAt(0)->nStart) + ','));
        QVERIFY(lines[1].contains(",uart,"));
    }

    void anotherCaptureDropsTheRunAndItsAnnotations()
    {
        m_session->SetClockPeriod(1, kClockPeriod);
        QSignalSpy finished(m_panel.get(), &DecodePanel::runFinished);
        QVERIFY(m_panel->Run());
        m_session->ClearCapture(); // the samples the run reads are its own copy
        QVERIFY(finished.wait(20000));
        QCOMPARE(m_panel->Table().rowCount(), 0);
        QVERIFY(m_panel->StatusText().isEmpty());
    }
};

QTEST_MAIN(DecodePanelTest)
#include "DecodePanelTest.moc"
