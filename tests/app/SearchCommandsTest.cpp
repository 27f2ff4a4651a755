// The pattern search and the measurements panel in the window: their commands and keys, the
// status bar, and the View menu's entries.

#include "tests/common/MessageRecorder.h"
#include "tests/common/TestEnvironment.h"
#include "tests/view/CaptureFixture.h"

#include "app/AppShell.h"
#include "app/CommandRouter.h"
#include "app/MainFrame.h"
#include "i18n/Translation.h"
#include "resources/Ids.h"
#include "view/MeasurePanel.h"
#include "view/SearchBar.h"

#include <QAction>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>

using namespace veldran;

class SearchCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        test::UseTestSettings();
        test::MapSerialPorts();
    }

    void keysStepThroughTheMatchesOfTheCaptureOpened()
    {
        test::MessageRecorder boxes;
        AppShell shell;
        QVERIFY(shell.ProcessShellCommand(CommandLineInfo{}));
        CMainFrame& frame = shell.Frame();
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        CommandRouter& router = shell.Router();
        QVERIFY(!router.Action(ids::kFindNext)->isEnabled());
        // Opening a capture enables F3 at once, not only once a menu was opened.
        test::LoadCapture(shell.Document(), 200, test::DividerLevel);
        shell.Session().OpenCapture();
        QVERIFY(router.Action(ids::kFindNext)->isEnabled());
        const size_t boxesBefore = boxes.messages.size(); // the port's, if it cannot open

        QTest::keyClick(&frame, Qt::Key_F, Qt::ControlModifier);
        QLineEdit* pattern = frame.GetSearchBar()->PatternEdit();
        QTRY_VERIFY(pattern->hasFocus());
        QTest::keyClicks(pattern, QStringLiteral("D2=r"));
        QSignalSpy counted(&frame.GetSearchBar()->Search().Counter(), &MatchCounter::counted);
        QTest::keyClick(pattern, Qt::Key_F3);
        QCOMPARE(shell.Session().XCursor(), 3);
        QVERIFY(counted.wait(10000));
        QCOMPARE(frame.statusBar()->currentMessage(), QStringLiteral("일치 1 / 33"));
        QTest::keyClick(pattern, Qt::Key_Return);
        QCOMPARE(shell.Session().XCursor(), 9);
        QTest::keyClick(pattern, Qt::Key_F3, Qt::ShiftModifier);
        QCOMPARE(shell.Session().XCursor(), 3);
        QCOMPARE(boxes.messages.size(), boxesBefore);
    }

    void theViewMenuShowsAndHidesThePanels()
    {
        AppShell shell;
        QVERIFY(shell.ProcessShellCommand(CommandLineInfo{}));
        CMainFrame& frame = shell.Frame();
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        QAction* panel = shell.Router().Action(ids::kToggleMeasurePanel);
        const bool shown = frame.GetMeasurePanel()->isVisible();
        QCOMPARE(panel->isChecked(), shown);
        QVERIFY(shell.Router().Execute(ids::kToggleMeasurePanel));
        QTRY_COMPARE(frame.GetMeasurePanel()->isVisible(), !shown);
        QCOMPARE(panel->isChecked(), !shown);
        QVERIFY(shell.Router().Execute(ids::kToggleSearchBar));
        QTRY_VERIFY(!frame.GetSearchBar()->isVisible());
        QVERIFY(!shell.Router().Action(ids::kToggleSearchBar)->isChecked());
    }

    void thePanelsFollowALanguageChange()
    {
        AppShell shell;
        QVERIFY(shell.ProcessShellCommand(CommandLineInfo{}));
        QVERIFY(UseUiLanguage(UiLanguage::English));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
        const QString english[] = {shell.Frame().GetMeasurePanel()->windowTitle(),
                                   shell.Frame().GetSearchBar()->PatternEdit()->placeholderText()};
        UseUiLanguage(UiLanguage::Korean);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
        QCOMPARE(english[0], QStringLiteral("Measurements"));
        QCOMPARE(english[1], QStringLiteral("e.g. D0=r, D7..D4=0x5"));
        QCOMPARE(shell.Frame().GetMeasurePanel()->windowTitle(), QStringLiteral("측정"));
    }
};

QTEST_MAIN(SearchCommandsTest)
#include "SearchCommandsTest.moc"
