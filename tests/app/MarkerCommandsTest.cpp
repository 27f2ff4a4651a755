// The marker commands in the window (add, edit, delete at X; step to the next and previous marker
// with their keys), the marker dialog's limits, the panel's double-click, and File > Export View
// writing the window shown to a picture of the size asked.

#include "tests/common/MessageRecorder.h"
#include "tests/common/TestEnvironment.h"
#include "tests/view/CaptureFixture.h"
#include "tests/view/ViewProbe.h"

#include "app/AppShell.h"
#include "app/CommandRouter.h"
#include "app/ExportViewCommand.h"
#include "app/MainFrame.h"
#include "app/MarkerCommands.h"
#include "app/PictureSizeDialog.h"
#include "i18n/MessageText.h"
#include "picture/PictureLimits.h"
#include "resources/Ids.h"
#include "view/MarkerDialog.h"
#include "view/MarkerPanel.h"

#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

using namespace veldran;

class MarkerCommandsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::MessageRecorder> m_messages;
    std::unique_ptr<AppShell> m_shell;
    std::vector<Marker> m_asked;
    std::optional<Marker> m_answer;

    CCaptureSession& Session() { return m_shell->Session(); }
    CommandRouter& Router() { return m_shell->Router(); }
    std::vector<int64_t> Samples()
    {
        std::vector<int64_t> samples;
        for (const Marker& marker : Session().Markers())
            samples.push_back(marker.nSample);
        return samples;
    }
    // A capture of 300 samples, shown; the messages of showing it (the test has no serial port)
    // are forgotten.
    void Open()
    {
        test::LoadCapture(m_shell->Document(), 300, test::DividerLevel);
        Session().OpenCapture();
        QCoreApplication::processEvents();
        m_messages->Clear();
    }
    void SetCursors(int x, int y) { test::SetCursors(m_shell->View(), x, y); }
    void AddAt(int x)
    {
        SetCursors(x, Session().YCursor());
        QVERIFY(Router().Execute(ids::kAddMarker));
    }

private slots:
    void initTestCase()
    {
        test::UseTestSettings();
        test::MapSerialPorts();
    }

    void init()
    {
        m_messages = std::make_unique<test::MessageRecorder>();
        m_shell = std::make_unique<AppShell>();
        QVERIFY(m_shell->ProcessShellCommand(CommandLineInfo{}));
        m_shell->Frame().show();
        QVERIFY(QTest::qWaitForWindowExposed(&m_shell->Frame()));
        m_messages->Clear(); // the serial port's, which the test has not
        m_asked.clear();
        m_answer.reset();
        m_shell->Markers().SetPrompt([this](const Marker& marker) {
            m_asked.push_back(marker);
            return m_answer;
        });
    }

    void cleanup()
    {

        m_shell.reset();
        m_messages.reset();
    }

    void addEditAndDeleteAtX()
    {
        QVERIFY(!Router().IsEnabled(ids::kAddMarker));
        Open();
        AddAt(30);
        AddAt(10);
        QCOMPARE(Samples(), (std::vector<int64_t>{10, 30}));
        QCOMPARE(Session().Markers()[0].strLabel, std::string("M2"));
        QCOMPARE(Session().Markers()[1].strLabel, std::string("M1"));
        QVERIFY(Session().Markers()[0].nColour != Session().Markers()[1].nColour);
        QVERIFY(m_shell->Document().IsModified());

        // Edit and Delete work on the marker under X, and only while there is one.
        SetCursors(11, 0);
        QVERIFY(!Router().IsEnabled(ids::kEditMarker));
        QVERIFY(!Router().IsEnabled(ids::kDeleteMarker));
        SetCursors(30, 0);
        m_answer = Marker{999, "clock start", "set-up\nsecond line", 0x123456};
        QVERIFY(Router().Execute(ids::kEditMarker));
        QCOMPARE(m_asked.size(), size_t(1));
        QCOMPARE(m_asked[0].strLabel, std::string("M1"));
        // The dialog changes what the marker says, not its sample.
        QCOMPARE(Session().Markers()[1], (Marker{30, "clock start", "set-up\nsecond line", 0x123456}));
        m_answer.reset();
        QVERIFY(Router().Execute(ids::kEditMarker));
        QCOMPARE(Session().Markers()[1].strLabel, std::string("clock start"));

        QVERIFY(Router().Execute(ids::kDeleteMarker));
        QCOMPARE(Samples(), (std::vector<int64_t>{10}));
        QVERIFY(!Router().IsEnabled(ids::kDeleteMarker));
        // Ctrl+M adds one where X is, with the first free label.
        QTest::keyClick(&m_shell->Frame(), Qt::Key_M, Qt::ControlModifier);
        QCOMPARE(Samples(), (std::vector<int64_t>{10, 30}));
        QCOMPARE(Session().Markers()[1].strLabel, std::string("M1"));
        QVERIFY(m_messages->messages.empty());
    }

    void stepsThroughTheMarkersWithTheirKeys()
    {
        Open();
        QVERIFY(!Router().IsEnabled(ids::kNextMarker));
        for (const int x : {150, 20, 280, 150})
            AddAt(x);
        SetCursors(0, 7);
        CMainFrame& frame = m_shell->Frame();
        QTest::keyClick(&frame, Qt::Key_Right, Qt::AltModifier);
        QCOMPARE(Session().XCursor(), 20);
        QVERIFY(Router().Execute(ids::kNextMarker));
        QCOMPARE(Session().XCursor(), 150);
        QVERIFY(m_shell->View().Trace(0).IsInWindow(150));
        QTest::keyClick(&frame, Qt::Key_Right, Qt::AltModifier);
        QCOMPARE(Session().XCursor(), 280);
        QVERIFY(m_shell->View().Trace(0).IsInWindow(280));
        QVERIFY(Router().Execute(ids::kNextMarker));
        QCOMPARE(Session().XCursor(), 280);
        QCOMPARE(frame.statusBar()->currentMessage(),
                 MessageText(Message(text::kNoMarkerAfter, {"280"}, MessageIcon::None)));
        QTest::keyClick(&frame, Qt::Key_Left, Qt::AltModifier);
        QCOMPARE(Session().XCursor(), 150);
        QVERIFY(Router().Execute(ids::kPreviousMarker));
        QCOMPARE(Session().XCursor(), 20);
        QVERIFY(m_shell->View().Trace(0).IsInWindow(20));
        QVERIFY(Router().Execute(ids::kPreviousMarker));
        QCOMPARE(Session().XCursor(), 20);
        QCOMPARE(Session().YCursor(), 7);
        QCOMPARE(Session().ActiveCursor(), CCaptureSession::ECursor::X);
    }

    void thePanelEditsOnDoubleClick()
    {
        Open();
        AddAt(40);
        AddAt(90);
        MarkerPanel* panel = m_shell->Frame().GetMarkerPanel();
        QVERIFY(!panel->isVisible());
        QVERIFY(Router().Execute(ids::kToggleMarkerPanel));
        QTRY_VERIFY(panel->isVisible());
        QVERIFY(Router().Action(ids::kToggleMarkerPanel)->isChecked());
        QTreeWidget* rows = panel->Rows();
        const QPoint second = rows->visualItemRect(rows->topLevelItem(1)).center();
        m_answer = Marker{90, "edited", "", 0x00FF00};
        // The widget's double-click follows the press of its first click.
        QTest::mouseClick(rows->viewport(), Qt::LeftButton, {}, second);
        QTest::mouseDClick(rows->viewport(), Qt::LeftButton, {}, second);
        QCOMPARE(m_asked.size(), size_t(1));
        QCOMPARE(m_asked[0].nSample, int64_t(90));
        QCOMPARE(panel->Text(1, MarkerPanel::EColumn::Label), QStringLiteral("edited"));
    }

    void theDialogRefusesALongLabel()
    {
        const Marker marker{12, "old", "note", 0xABCDEF};
        MarkerDialog dialog(marker);
        // 64 characters of Hangul are 192 bytes and still a label.
        dialog.LabelEdit()->setText(QString(64, QChar(0xAC00)));
        dialog.NoteEdit()->setPlainText(QStringLiteral("one\ntwo"));
        dialog.SetColour(QColor(0x10, 0x20, 0x30));
        const std::optional<Marker> edited = dialog.Edited();
        QVERIFY(edited);
        QCOMPARE(edited->strLabel, QString(64, QChar(0xAC00)).toStdString());
        QCOMPARE(edited->strNote, std::string("one\ntwo"));
        QCOMPARE(edited->nColour, 0x102030u);
        QCOMPARE(edited->nSample, int64_t(12));
        QVERIFY(m_messages->messages.empty());
        dialog.LabelEdit()->setText(QString(65, QLatin1Char('x')));
        QVERIFY(!dialog.Edited());
        QCOMPARE(m_messages->messages.size(), size_t(1));
        QCOMPARE(QString::fromStdString(m_messages->Last()),
                 MessageText(Message(text::kMarkerLabelTooLong, {"64"})));
    }

    void exportViewWritesTheWindowShown()
    {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        QVERIFY(!Router().IsEnabled(ids::kFileExportView));
        Open();
        Session().SetBuses({Bus{"low pair", {1, 0}, ERadix::Hex}});
        Session().AddMarker(Marker{22, "trigger-here", "", 0x0080FF});
        SetCursors(21, 3);
        QStringList proposedPaths;
        std::vector<QSize> proposedSizes;
        QString path = folder.filePath(QStringLiteral("view.svg"));
        m_shell->ExportView().SetPrompts(
            [&](const QString& proposed) {
                proposedPaths << proposed;
                return path;
            },
            [&](QSize proposed) {
                proposedSizes.push_back(proposed);
                return std::optional<QSize>(QSize(1234, 567));
            });
        QVERIFY(Router().Execute(ids::kFileExportView));
        QCOMPARE(proposedPaths.size(), 1);
        QVERIFY(proposedPaths[0].endsWith(QStringLiteral(".svg")));
        QCOMPARE(proposedSizes.front(), ExportViewCommand::kDefaultSize);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray svg = file.readAll();
        QVERIFY(svg.contains("width=\"1234\""));
        QVERIFY(svg.contains("height=\"567\""));
        QVERIFY(svg.contains("trigger-here"));
        QVERIFY(m_messages->messages.empty());

        // The picture is the window as shown: its samples, the cell's names, the bus at X (channel
        // 1 low and channel 0 high at sample 21).
        const ViewPictureModel model = m_shell->ExportView().CurrentPicture();
        const CTraceStatic& trace = m_shell->View().Trace(0);
        QCOMPARE(model.nFirst, int64_t(trace.m_nStart));
        QCOMPARE(model.nLast, int64_t(trace.m_nEnd - 1));
        QVERIFY(model.nFirst <= 21 && 21 <= model.nLast);
        QCOMPARE(model.names[2], QStringLiteral("name 2"));
        QCOMPARE(model.nX, int64_t(21));
        QCOMPARE(model.nY, int64_t(3));
        QCOMPARE(model.buses.size(), size_t(1));
        QCOMPARE(model.buses[0].strValueAtX, QStringLiteral("1"));

        // The next export proposes the size asked last.
        path = folder.filePath(QStringLiteral("view.png"));
        QVERIFY(Router().Execute(ids::kFileExportView));
        QCOMPARE(proposedSizes.back(), QSize(1234, 567));
        QVERIFY(QFile::exists(path));
    }

    void exportViewReportsWhatItCannotDo()
    {
        QTemporaryDir folder;
        Open();
        int sizesAsked = 0;
        QString path = folder.filePath(QStringLiteral("view.txt"));
        m_shell->ExportView().SetPrompts([&](const QString&) { return path; },
                                         [&](QSize proposed) {
                                             ++sizesAsked;
                                             return std::optional<QSize>(proposed);
                                         });
        QVERIFY(Router().Execute(ids::kFileExportView));
        QCOMPARE(sizesAsked, 0);
        QCOMPARE(QString::fromStdString(m_messages->Last()),
                 MessageText(Message(text::kPictureUnknownSuffix, {path.toStdString()})));
        QVERIFY(!QFile::exists(path));

        // The size dialog keeps each side to what a picture may have.
        const PictureSizeDialog sizes(QSize(20, 99999));
        QCOMPARE(sizes.Size(), QSize(kPictureMinSide, kPictureMaxSide));

        path = folder.filePath(QStringLiteral("missing/view.pdf"));
        QVERIFY(Router().Execute(ids::kFileExportView));
        QCOMPARE(sizesAsked, 1);
        QCOMPARE(m_messages->messages.size(), size_t(2));
        QVERIFY(m_messages->Last().find(path.toStdString()) != std::string::npos);
    }
};

QTEST_MAIN(MarkerCommandsTest)
#include "MarkerCommandsTest.moc"
