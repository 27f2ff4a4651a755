// The timing-diagram view with a loaded capture: traces per cell, reset, zoom placements, cursors,
// the distance readout, clicks, and channel names.

#include "CaptureFixture.h"
#include "ViewProbe.h"
#include "tests/common/MessageRecorder.h"
#include "tests/common/TestEnvironment.h"

#include "controls/CNumEdit.h"
#include "controls/CNumSpinCtrl.h"
#include "resources/Ids.h"
#include "link/SettingsFile.h"
#include "resources/Strings.h"
#include "link/InstrumentLink.h"
#include "view/ChannelNameDialog.h"
#include "view/VeldranView.h"
#include "session/ZoomWindow.h"

#include <QComboBox>
#include <QDateTime>
#include <QFileInfo>
#include <QLabel>
#include <QSignalSpy>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace veldran;
using namespace veldran::test;

class ViewTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<MessageRecorder> m_messages;
    std::unique_ptr<CCaptureSession> m_session;
    CVELDRANDoc* m_document = nullptr;
    std::unique_ptr<CVELDRANView> m_view;
    std::unique_ptr<CInstrumentLink> m_link;
    std::unique_ptr<CChannelNameDlg> m_names;

    // A view showing a capture of count samples whose channels follow DividerLevel.
    CVELDRANView& Open(int count)
    {
        if (count > 0)
            LoadCapture(*m_document, count, DividerLevel);
        m_session->OpenCapture();
        QCoreApplication::processEvents(); // the traces get their scale at their first paint
        m_view->Trace(0).SetWindow(m_session->Window(), 0, m_view->Trace(0).m_nStart, m_view->Trace(0).m_nEnd);
        return *m_view;
    }

    QString Text(int id) const { return ControlText(*m_view, id); }
    void SetCursors(int x, int y) { test::SetCursors(*m_view, x, y); }

    SampleWindow ShownWindow() const { return {m_view->Trace(0).m_nStart, m_view->Trace(0).m_nEnd}; }

private slots:
    void initTestCase()
    {
        test::MapSerialPorts();
    }

    void init()
    {
        m_messages = std::make_unique<MessageRecorder>();
        m_session = std::make_unique<CCaptureSession>();
        m_document = &m_session->Document();
        m_view = std::make_unique<CVELDRANView>(*m_session);
        m_link = std::make_unique<CInstrumentLink>(*m_session, m_view.get());
        m_names = std::make_unique<CChannelNameDlg>(m_view.get());
        m_view->resize(1200, 700);
        m_view->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
        CursorsSeen::s_nLastX = 0;
        CursorsSeen::s_nLastY = 0;
    }

    void cleanup()
    {
        m_names.reset();
        m_link.reset();
        m_view.reset();
        m_document = nullptr;
        m_session.reset();
        m_messages.reset();
    }

    void startUpShowsEmptyLabelledTraces()
    {
        CVELDRANView& view = Open(0);
        for (int k = 0; k < 16; ++k) {
            QCOMPARE(view.Trace(k).Label(), QString::asprintf(" CH  A%02d", k));
            QCOMPARE(view.Trace(k).SampleCount(), 0);
            QVERIFY(view.Trace(k).isVisible());
        }
        QCOMPARE(Text(ids::kWindowText), QStringLiteral("WINDOW : 16"));
        QCOMPARE(Text(ids::kLeftPos), QStringLiteral("(0000/0000)"));
        QCOMPARE(Text(ids::kRightPos), QStringLiteral("(0000/0000)"));
        QCOMPARE(Text(ids::kXYDistance), QStringLiteral("0.0000us"));
        // No cursor is visible before the first cursor move.
        QCOMPARE(XCursorPixel(view), -100);
        // The link could not open: the user is told which port, twice.
        QVERIFY(m_messages->Last().find("COM1") != std::string::npos);
    }

    void loadedCaptureFillsTracesOfTheSelectedCell()
    {
        CVELDRANView& view = Open(100);
        QCOMPARE(m_session->SampleCount(), 100);
        for (int k = 0; k < 16; ++k) {
            QCOMPARE(view.Trace(k).Label(), QStringLiteral("name %1").arg(k));
            QCOMPARE(view.Trace(k).SampleCount(), 100);
            for (int s = 0; s < 100; s += 7)
                QCOMPARE(int(view.Trace(k).Level(s)), DividerLevel(s, k));
        }
        float low = -1, high = -1;
        SpinX(view).GetRange(low, high);
        QCOMPARE(low, 0.0f);
        QCOMPARE(high, 99.0f);
        QCOMPARE(Text(ids::kLeftPos), QStringLiteral("(0000/0099)"));
        QCOMPARE(Text(ids::kRightPos), QStringLiteral("(0015/0099)"));
    }

    void selectCellCyclesThroughTheThreeCells()
    {
        CVELDRANView& view = Open(100);
        const auto levelsOf = [](const CTraceStatic& trace) {
            std::vector<uint8_t> levels;
            for (int s = 0; s < trace.SampleCount(); ++s)
                levels.push_back(trace.Level(s));
            return levels;
        };
        const std::vector<uint8_t> cell0 = levelsOf(view.Trace(4));
        m_session->SelectNextCell();
        QCOMPARE(m_session->Cell(), 1);
        QCOMPARE(view.Trace(4).Label(), QStringLiteral("name 20"));
        QCOMPARE(view.Trace(4).SampleCount(), 100);
        QCOMPARE(int(view.Trace(4).Level(21)), DividerLevel(21, 20));
        m_session->SelectNextCell();
        QCOMPARE(view.Trace(15).Label(), QStringLiteral("name 47"));
        m_session->SelectNextCell();
        QCOMPARE(m_session->Cell(), 0);
        QCOMPARE(levelsOf(view.Trace(4)), cell0);
    }

    void newFileKeepsZoomCellAndStaleCount()
    {
        CVELDRANView& view = Open(100);
        m_session->Contract();
        m_session->SelectNextCell();
        m_document->SetPathName("/tmp/old.vxr");
        m_session->ClearCapture();
        QCOMPARE(m_document->SampleCount(), 100);
        QCOMPARE(m_document->Samples().size(), size_t(100) * kChannelCount);
        QVERIFY(!m_document->IsDataReady());
        QVERIFY(m_document->Tokens().empty());
        QCOMPARE(QString::fromStdString(m_document->GetTitle()), QStringLiteral("제목없음"));
        // A later Save must not overwrite the file the cleared capture came from.
        QVERIFY(m_document->GetPathName().empty());
        QCOMPARE(m_session->Window(), 64);
        QCOMPARE(m_session->Cell(), 1);
        QCOMPARE(ShownWindow(), (SampleWindow{0, 64}));
        QCOMPARE(view.Trace(0).SampleCount(), 0);
        QCOMPARE(view.Trace(0).Label(), QStringLiteral("name 16"));
        QCOMPARE(Text(ids::kXPosData), QStringLiteral("No Data ..."));
        QCOMPARE(EditX(view).GetValue(), 0.0f);
        QCOMPARE(EditY(view).GetValue(), 0.0f);
    }

    void zoomPlacesTheWindowAroundTheXCursor()
    {
        Open(1000);
        SetCursors(100, 0);
        QCOMPARE(ShownWindow(), (SampleWindow{92, 108})); // X left [0, 16): the window follows
        m_session->Contract();
        QCOMPARE(m_session->Window(), 64);
        QCOMPARE(Text(ids::kWindowText), QStringLiteral("WINDOW : 64"));
        QCOMPARE(ShownWindow(), (SampleWindow{68, 132}));
        SetCursors(990, 0);
        QCOMPARE(ShownWindow(), (SampleWindow{936, 1000}));
        QCOMPARE(Text(ids::kRightPos), QStringLiteral("(0999/0999)"));
        SetCursors(3, 0);
        m_session->Contract();
        QCOMPARE(ShownWindow(), (SampleWindow{0, 256}));
    }

    void typingIntoTheYEditNeverZooms()
    {
        // The Y edit and spin share ids 1027 and 1026 with Contract and Expand; typing and spin
        // steps there move the Y cursor only.
        CVELDRANView& view = Open(100);
        QTest::keyClick(&EditY(view), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(&EditY(view), QStringLiteral("7"));
        SpinY(view).SetPos(8);
        QCOMPARE(m_session->Window(), 16);
        QCOMPARE(Text(ids::kWindowText), QStringLiteral("WINDOW : 16"));
        QCOMPARE(EditY(view).GetValue(), 8.0f);
        QCOMPARE(ShownWindow(), (SampleWindow{0, 16}));
    }

    void expandAtSixteenAndContractAt1023DoNothing()
    {
        Open(100);
        m_session->Expand();
        QCOMPARE(m_session->Window(), 16);
        m_session->Contract();
        m_session->Contract();
        m_session->Contract();
        QCOMPARE(m_session->Window(), 1023);
        const QString before = Text(ids::kWindowText);
        m_session->Contract();
        QCOMPARE(m_session->Window(), 1023);
        QCOMPARE(Text(ids::kWindowText), before);
    }

    void shortCaptureInALargerWindow()
    {
        Open(50);
        m_session->Contract();
        QCOMPARE(ShownWindow(), (SampleWindow{0, 64}));
        QCOMPARE(Text(ids::kLeftPos), QStringLiteral("(0000/0049)"));
        QCOMPARE(Text(ids::kRightPos), QStringLiteral("(0049/0049)"));
    }

    void distanceText_data()
    {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<double>("period");
        QTest::addColumn<QString>("text");
        QTest::newRow("30 at 40 ns") << 30 << 0 << 0.00000004 << "0.0012ms";
        QTest::newRow("20 at 40 ns") << 20 << 0 << 0.00000004 << "0.8000us";
        QTest::newRow("5 at 1 ms") << 5 << 0 << 0.001 << "5.0000ms";
        QTest::newRow("20 at 1 ms") << 20 << 0 << 0.001 << "0.0200s";
        QTest::newRow("5 with the clock off") << 5 << 0 << 1.0 << "5.0000";
        QTest::newRow("equal with the clock off") << 9 << 9 << 1.0 << "0.0000us";
        QTest::newRow("negative reads in us") << 0 << 5 << 0.001 << "-5000.0000us";
    }
    void distanceText()
    {
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(double, period);
        QFETCH(QString, text);
        Open(100);
        SetCursors(x, y);
        m_session->SetClockPeriod(0, period);
        QCOMPARE(Text(ids::kXYDistance), text);
    }

    void valueFieldShowsTheCellWordsAtX()
    {
        Open(100);
        SetCursors(5, 0);
        const auto& tokens = m_document->Tokens();
        const QString expected = QStringLiteral("%1  %2  %3")
                                     .arg(QString::fromUtf8(tokens[21]), QString::fromUtf8(tokens[22]),
                                          QString::fromUtf8(tokens[23]));
        QCOMPARE(Text(ids::kXPosData), expected);
        // Once a reception has begun (and after a cancelled one) the tokens can be gone while the
        // samples stay: the words are rebuilt from the samples, never read past the list.
        TokenList firstTwo;
        for (size_t n = 0; n < 8; ++n)
            firstTwo.push_back(tokens[n]);
        m_document->BeginListing();
        for (std::string_view token : firstTwo)
            m_document->AppendListingToken(token);
        QCOMPARE(m_document->Tokens().size(), size_t(8));
        SetCursors(6, 0);
        const QString rebuilt = QStringLiteral("%1  %2  %3")
                                    .arg(QString::fromStdString(CellWord(DividerLevel, 6, 0)),
                                         QString::fromStdString(CellWord(DividerLevel, 6, 1)),
                                         QString::fromStdString(CellWord(DividerLevel, 6, 2)));
        QCOMPARE(Text(ids::kXPosData), rebuilt);
    }

    void cursorMarkers()
    {
        CVELDRANView& view = Open(100);
        SetCursors(7, 7);
        auto* xLabel = view.GetDlgItem(ids::kXCursorLabel);
        auto* yLabel = view.GetDlgItem(ids::kYCursorLabel);
        QCOMPARE(Text(ids::kXCursorLabel), QStringLiteral("X= 0007"));
        QCOMPARE(Text(ids::kYCursorLabel), QStringLiteral("XY=0007"));
        QCOMPARE(yLabel->geometry(), xLabel->geometry());
        QVERIFY(yLabel->isVisible());
        // The X line stands about two pixels left of the right end of its sample's column.
        const double p = view.Trace(0).m_fPixelsPerSample;
        QCOMPARE(XCursorPixel(view), 82 + int(p + 3.0) + int(7 * p));
        QCOMPARE(view.GetDlgItem(ids::kXCursorLine)->geometry(), QRect(XCursorPixel(view), 2, 1, InfoTop(view) - 8));
        // Y outside the shown window: its line and label are hidden.
        SetCursors(7, 50);
        QCOMPARE(Text(ids::kYCursorLabel), QStringLiteral("Y= 0050"));
        QVERIFY(!view.GetDlgItem(ids::kYCursorLine)->isVisible());
        QVERIFY(!yLabel->isVisible());
        // The markers stay above the traces in the stacking order, so the traces never hide them.
        const QObjectList& children = view.Form()->children();
        const auto lastTrace = children.indexOf(view.GetDlgItem(ids::kTraceFirst + 15));
        for (int id : {ids::kXCursorLine, ids::kYCursorLine, ids::kXCursorLabel, ids::kYCursorLabel})
            QVERIFY(children.indexOf(view.GetDlgItem(id)) > lastTrace);
    }

    // A file named on the command line is opened before the window is laid out and painted: the X
    // line stands on sample 0 from the first paint, where the first cursor move puts it.
    void captureOpenedBeforeTheFirstLayoutHasItsXLineOnSampleZero()
    {
        m_names.reset();
        m_link.reset();
        m_view = std::make_unique<CVELDRANView>(*m_session);
        LoadCapture(*m_document, 100, DividerLevel);
        m_session->OpenCapture();
        m_view->resize(1200, 700);
        m_view->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
        QCoreApplication::processEvents();
        const double p = m_view->Trace(0).m_fPixelsPerSample;
        QVERIFY(p > 10.0);
        const int onSampleZero = 82 + int(p + 3.0);
        QCOMPARE(XCursorPixel(*m_view), onSampleZero);
        SetCursors(1, 0);
        SetCursors(0, 0);
        QCOMPARE(XCursorPixel(*m_view), onSampleZero);
    }

    void clickSelectsTheSampleUnderThePointer()
    {
        CVELDRANView& view = Open(100);
        SetCursors(20, 0); // window [12, 28)
        const double p = view.Trace(0).m_fPixelsPerSample;
        const int start = view.Trace(0).m_nStart;
        QTest::mouseClick(view.Form(), Qt::LeftButton, {}, QPoint(85 + int(3.5 * p), 30));
        QCOMPARE(EditX(view).GetValue(), float(start + 3));
        QTest::mouseClick(view.Form(), Qt::LeftButton, {}, QPoint(85 - int(p / 2), 30));
        QCOMPARE(EditX(view).GetValue(), float(start));
        // A click that maps past the capture leaves X where it was.
        SetCursors(95, 0); // window [84, 100)
        QTest::mouseClick(view.Form(), Qt::LeftButton, {}, QPoint(view.Form()->width() - 20, 30));
        QVERIFY(EditX(view).GetValue() <= 99.0f);
    }

    void ctsAnswer()
    {
        Open(0);
        QCOMPARE(m_link->OnSerialCts(0, 1), 0L);
        QCOMPARE(m_link->OnSerialCts(0, 4), 0L);
        QCOMPARE(m_link->OnSerialCts(0, 0), -1L);
        QCOMPARE(m_link->OnSerialCts(0, 5), -1L);
    }

    void renamingAChannelOfAnotherCell()
    {
        CVELDRANView& view = Open(100);
        m_document->SetModifiedFlag(false);
        QTimer::singleShot(0, this, [this] {
            m_names->Edit(20)->setText(QStringLiteral("클럭"));
            m_names->findChild<QPushButton*>(QString::number(ids::kOk))->click();
        });
        ChangeChannelNames(*m_session, *m_names);
        QVERIFY(m_document->IsModified());
        QCOMPARE(view.Trace(4).Label(), QStringLiteral("name 4"));
        m_session->SelectNextCell();
        QCOMPARE(view.Trace(4).Label(), QStringLiteral("클럭"));
    }

    void aNameIsAsLongAsItsBoxAllows()
    {
        CChannelNameDlg& dialog = *m_names;
        QLineEdit* edit = dialog.Edit(3);
        edit->clear();
        QTest::keyClicks(edit, QString(60, QLatin1Char('W')));
        QVERIFY(edit->text().size() > 3);
        QVERIFY(edit->text().size() < 60);
        QVERIFY(edit->fontMetrics().horizontalAdvance(edit->text()) <= edit->contentsRect().width());
    }

    // Answers the options dialog with the given list indexes and OK.
    void ChooseOptions(int port, int speed, int clock)
    {
        COptionsDlg& dialog = m_link->m_dlgOptions;
        QTimer::singleShot(0, this, [&dialog, port, speed, clock] {
            dialog.findChild<QComboBox*>(QStringLiteral("1070"))->setCurrentIndex(port);
            dialog.findChild<QComboBox*>(QStringLiteral("1071"))->setCurrentIndex(speed);
            dialog.findChild<QComboBox*>(QStringLiteral("1072"))->setCurrentIndex(clock);
            dialog.accept();
        });
        m_link->OnOptions();
    }

    void aNewClockPeriodAloneTakesEffectAtOnce()
    {
        Open(100);
        QSignalSpy label(m_session.get(), &CCaptureSession::clockPeriodChanged);
        const QFileInfo before(QString::fromStdString(WritableSettingsPath()));
        const QDateTime written = before.exists() ? before.lastModified() : QDateTime();
        SetCursors(5, 0);
        m_messages->Clear();
        ChooseOptions(m_link->m_dlgOptions.m_nPortIndex, m_link->m_dlgOptions.m_nSpeedIndex, 7); // 1 millisec
        QCOMPARE(m_session->ClockPeriod(), 0.001);
        QCOMPARE(Text(ids::kXYDistance), QStringLiteral("5.0000ms"));
        QVERIFY(!label.isEmpty());
        QCOMPARE(label.last().at(0).toInt(), 7);
        QVERIFY(m_messages->messages.empty());
        const QFileInfo after(QString::fromStdString(WritableSettingsPath()));
        QCOMPARE(after.exists() ? after.lastModified() : QDateTime(), written);
    }

    void aNewPortIsStoredAndAppliedAtTheNextOpen()
    {
        Open(100);
        const int port = m_link->m_dlgOptions.m_nPortIndex == 2 ? 3 : 2;
        ChooseOptions(port, 1, 0);
        QVERIFY(m_messages->Saw(text::kSettingsChanged));
        int storedPort = -9, storedSpeed = -9;
        QVERIFY(ReadSettings(WritableSettingsPath(), storedPort, storedSpeed));
        QCOMPARE(storedPort, port);
        QCOMPARE(storedSpeed, 1);
        // Opening a capture re-reads the settings: the link now tries the new port, and the
        // clock is OFF again.
        m_session->SetClockPeriod(m_session->ClockIndex(), 0.5);
        m_messages->Clear();
        m_session->OpenCapture();
        QCOMPARE(m_session->ClockPeriod(), 1.0);
        QVERIFY(m_messages->Last().find(QStringLiteral("COM%1").arg(port + 1).toStdString()) != std::string::npos);
        QVERIFY(WriteSettings(WritableSettingsPath(), 0, 0, nullptr));
    }

    void cancelledRenameChangesNothing()
    {
        CVELDRANView& view = Open(100);
        m_document->SetModifiedFlag(false);
        QTimer::singleShot(0, this, [this] {
            m_names->Edit(3)->setText(QStringLiteral("changed"));
            m_names->findChild<QPushButton*>(QString::number(ids::kCancel))->click();
        });
        ChangeChannelNames(*m_session, *m_names);
        QVERIFY(!m_document->IsModified());
        QCOMPARE(view.Trace(3).Label(), QStringLiteral("name 3"));
        QCOMPARE(m_session->Name(3), QStringLiteral("name 3"));
    }
};

QTEST_MAIN(ViewTest)
#include "ViewTest.moc"
