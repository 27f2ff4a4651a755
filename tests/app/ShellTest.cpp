// The application shell: menus and accelerators against the command table, the option bar, the
// window title, the clock-period label, the command line and the recent-file list.

#include "tests/common/MessageRecorder.h"
#include "tests/common/TestEnvironment.h"
#include "tests/view/CaptureFixture.h"

#include "app/AppShell.h"
#include "app/CommandLine.h"
#include "app/CommandRouter.h"
#include "app/MainFrame.h"
#include "app/MenuTable.h"
#include "app/OptionBar.h"
#include "app/RecentFileList.h"
#include "controls/CNumEdit.h"
#include "resources/Ids.h"
#include "tests/view/ViewProbe.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTest>

using namespace veldran;

class ShellTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::MessageRecorder> m_messages;
    std::unique_ptr<AppShell> m_shell;

private slots:
    void initTestCase()
    {
        test::UseTestSettings();
        test::MapSerialPorts();
    }

    void init()
    {
        m_messages = std::make_unique<test::MessageRecorder>();
        QSettings().remove(QStringLiteral("Recent File List"));
        m_shell = std::make_unique<AppShell>();
        QVERIFY(m_shell->ProcessShellCommand(CommandLineInfo{}));
    }

    void cleanup()
    {
        m_shell.reset();
        m_messages.reset();
    }

    void menusFollowTheCommandTable()
    {
        CMainFrame& frame = m_shell->Frame();
        const QStringList popups{"FIle(&F)", "VELDRAN(&M)", "보기(&V)", "Help(&H)"};
        QCOMPARE(frame.menuBar()->actions().size(), popups.size());
        size_t entry = 0;
        const auto& items = MainMenuItems();
        for (int p = 0; p < popups.size(); ++p) {
            QMenu* menu = frame.Menu(p);
            QCOMPARE(menu->title(), popups.at(p));
            for (QAction* action : menu->actions()) {
                if (!action->isVisible())
                    continue;
                QVERIFY(entry < items.size());
                const MenuItemEntry& expected = items[entry++];
                QCOMPARE(QString::fromUtf8(expected.popup), popups.at(p));
                if (!expected.label) {
                    QVERIFY(action->isSeparator());
                    continue;
                }
                QString text = QString::fromUtf8(expected.label);
                if (expected.accelText)
                    text += QLatin1Char('\t') + QString::fromLatin1(expected.accelText);
                QCOMPARE(action->text(), text);
                QCOMPARE(action->data().toInt(), expected.id);
            }
        }
        QCOMPARE(entry, items.size());
    }

    void theMenuHoldsEveryCommandWithItsId()
    {
        const std::vector<std::pair<const char*, int>> expected{
            {"New File(&N)", 57600}, {"Open(&O)...", 57601}, {"Save(&S)", 57603}, {"Save As(&A)...", 57604},
            {"Print(&P)...", 57607}, {"Print Preview(&V)", 57609}, {"Printer Setting(&R)...", 57606},
            {"최근 파일", 57616}, {"Exit(&X)", 57665}, {"Expand(&E)", 1026}, {"Contract(&C)", 1027},
            {"Select Cell(&S)", 1032}, {"Load From VXR(&L)", 1029}, {"Capture Data(&T)", 32772},
            {"Options(&O)...", 1031}, {"Change CH Name(&H)...", 32771}, {"VELDRAN Info(&I)...", 57664}};
        for (const auto& [label, id] : expected) {
            bool found = false;
            for (const auto& item : MainMenuItems())
                found = found || (item.label && QString::fromUtf8(item.label) == QString::fromUtf8(label) && item.id == id);
            QVERIFY2(found, label);
        }
    }

    void everyMenuCommandIsDeclared()
    {
        // The recent-file entries are the frame's own; every other item runs a declared command.
        for (const MenuItemEntry& item : MainMenuItems())
            if (item.label && item.id != ids::kFileMruFirst)
                QVERIFY2(m_shell->Router().IsHandled(item.id), item.label);
        for (const int id : {ids::kFilePrintDirect, ids::kToggleOptionBar})
            QVERIFY(m_shell->Router().IsHandled(id));
    }

    void acceleratorsReachTheirCommands()
    {
        CommandRouter& router = m_shell->Router();
        QCOMPARE(router.Action(ids::kFileNew)->shortcuts(), QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+N"))});
        QCOMPARE(router.Action(ids::kEditUndo)->shortcuts().size(), 2);
        QVERIFY(router.Action(ids::kEditCopy)->shortcuts().contains(QKeySequence(QStringLiteral("Ctrl+Ins"))));
        QVERIFY(router.Action(ids::kNextPane)->shortcuts().contains(QKeySequence(Qt::Key_F6)));
        // Commands that nothing handles are disabled, so their keys do nothing.
        for (int id : {ids::kEditUndo, ids::kEditCut, ids::kEditCopy, ids::kEditPaste, ids::kNextPane, ids::kPrevPane})
            QVERIFY(!router.Action(id)->isEnabled());
        for (int id : {ids::kFileNew, ids::kFileOpen, ids::kFileSave, ids::kExpand, ids::kContract, ids::kSelectCell,
                       ids::kLoad, ids::kOptions, ids::kChangeChannelName})
            QVERIFY2(router.Action(id)->isEnabled(), qPrintable(QString::number(id)));
    }

    void idleAcceleratorsDoNothingInACursorBox_data()
    {
        QTest::addColumn<QKeyCombination>("key");
        QTest::newRow("Ctrl+Z") << (Qt::ControlModifier | Qt::Key_Z);
        QTest::newRow("Alt+Backspace") << (Qt::AltModifier | Qt::Key_Backspace);
        QTest::newRow("Ctrl+X") << (Qt::ControlModifier | Qt::Key_X);
        QTest::newRow("Shift+Delete") << (Qt::ShiftModifier | Qt::Key_Delete);
        QTest::newRow("Ctrl+C") << (Qt::ControlModifier | Qt::Key_C);
        QTest::newRow("Ctrl+Insert") << (Qt::ControlModifier | Qt::Key_Insert);
        QTest::newRow("Ctrl+V") << (Qt::ControlModifier | Qt::Key_V);
        QTest::newRow("Shift+Insert") << (Qt::ShiftModifier | Qt::Key_Insert);
    }
    void idleAcceleratorsDoNothingInACursorBox()
    {
        QFETCH(QKeyCombination, key);
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->setText(QStringLiteral("3"));
        if (clipboard->text() != QStringLiteral("3"))
            QSKIP("no clipboard on this platform");
        CMainFrame& frame = m_shell->Frame();
        frame.show();
        frame.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        // A capture, so that the X box takes values; the user types 1 and 2 into it.
        test::LoadCapture(m_shell->Document(), 100, test::DividerLevel);
        m_shell->Session().OpenCapture();
        QLineEdit& edit = test::EditX(m_shell->View());
        edit.setFocus();
        QTest::keyClick(&edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(&edit, QStringLiteral("12"));
        QCOMPARE(edit.text(), QStringLiteral("12"));
        edit.selectAll();

        QTest::keyClick(&edit, key.key(), key.keyboardModifiers());
        // Nothing undone, cut, copied or pasted.
        QCOMPARE(edit.text(), QStringLiteral("12"));
        QCOMPARE(edit.selectedText(), QStringLiteral("12"));
        QCOMPARE(clipboard->text(), QStringLiteral("3"));
    }

    void optionBarButtonsAndPrompts()
    {
        OptionBar* bar = m_shell->Frame().GetOptionBar();
        const std::vector<std::pair<int, QString>> buttons{{1026, "EXPAND"}, {1027, "CONTRACT"}, {1032, "CELL"},
                                                           {1029, "LOAD"},  {32772, "CAPTURE"}, {1031, "OPTIONS..."}};
        int previousX = -1;
        for (const auto& [id, text] : buttons) {
            auto* button = qobject_cast<QPushButton*>(bar->Control(id));
            QVERIFY(button);
            QCOMPARE(button->text(), text);
            QVERIFY(button->x() > previousX); // in tab order, left to right
            previousX = button->x();
        }
        QCOMPARE(bar->Control(1026)->toolTip(), QStringLiteral("확장"));
        QCOMPARE(bar->Control(1029)->statusTip(), QStringLiteral("VELDRAN에서 데이터를 전송받습니다."));
        // EXPAND and CONTRACT are 51 dialog units wide with 7 between them: equal widths.
        QCOMPARE(bar->Control(1026)->width(), bar->Control(1027)->width());
        QVERIFY(bar->Control(1016)->x() > bar->Control(1031)->x());
        // A button click runs the same handler as the menu.
        qobject_cast<QPushButton*>(bar->Control(1027))->click();
        QCOMPARE(m_shell->Session().Window(), 64);
    }

    void optionBarToggles()
    {
        CMainFrame& frame = m_shell->Frame();
        frame.show();
        QVERIFY(frame.GetOptionBar()->isVisible());
        QVERIFY(m_shell->Router().Execute(ids::kToggleOptionBar));
        QVERIFY(!frame.GetOptionBar()->isVisible());
        m_shell->Router().Execute(ids::kToggleOptionBar);
        QVERIFY(frame.GetOptionBar()->isVisible());
    }

    void clockPeriodLabel_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("text");
        QTest::newRow("off") << 0 << "Clock period : OFF";
        QTest::newRow("100 ms") << 1 << "Clock period : 100 millisec";
        QTest::newRow("40 ns") << 21 << "Clock period : 40 nanosec";
        QTest::newRow("past the table") << 22 << "";
        QTest::newRow("no selection") << -1 << "";
    }
    void clockPeriodLabel()
    {
        QFETCH(int, index);
        QFETCH(QString, text);
        CMainFrame& frame = m_shell->Frame();
        frame.SetClockPeriodText(index);
        QCOMPARE(frame.GetOptionBar()->ClockPeriodEdit()->text(), text);
    }

    void startUpState()
    {
        CMainFrame& frame = m_shell->Frame();
        QCOMPARE(frame.windowTitle(), QStringLiteral("제목없음 - VELDRAN"));
        QCOMPARE(frame.GetOptionBar()->ClockPeriodEdit()->text(), QStringLiteral("Clock period : OFF"));
        QCOMPARE(frame.findChild<QWidget*>(QStringLiteral("59137"))->property("text").toString(), QStringLiteral("CAP"));
        QCOMPARE(frame.findChild<QWidget*>(QStringLiteral("messagePane"))->property("text").toString(), QStringLiteral("준비"));
        m_shell->Document().SetTitle("capture.vxr");
        QCOMPARE(frame.windowTitle(), QStringLiteral("capture.vxr - VELDRAN"));
    }

    void theStatusBarNamesTheActiveCursor()
    {
        const auto pane = [this] {
            return m_shell->Frame().findChild<QWidget*>(QStringLiteral("activeCursorPane"))->property("text").toString();
        };
        QCOMPARE(pane(), QStringLiteral("활성 커서: X"));
        m_shell->Session().SetActiveCursor(CCaptureSession::ECursor::Y);
        QCOMPARE(pane(), QStringLiteral("활성 커서: Y"));
    }

    void frameStaysAtScreenSize()
    {
        CMainFrame& frame = m_shell->Frame();
        frame.OnTrackSizeQuery();
        const QSize screen = QGuiApplication::primaryScreen()->size();
        frame.resize(screen.width() / 2, screen.height() / 2);
        QCOMPARE(frame.size(), screen);
    }

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("command");
        QTest::addColumn<bool>("splash");
        QTest::addColumn<QString>("file");
        using C = CommandLineInfo::ShellCommand;
        QTest::newRow("nothing") << QStringList{} << int(C::FileNew) << true << "";
        QTest::newRow("a file") << QStringList{"/data/a.vxr"} << int(C::FileOpen) << true << "/data/a.vxr";
        QTest::newRow("print") << QStringList{"-p", "a.vxr"} << int(C::FilePrint) << true << "a.vxr";
        QTest::newRow("traditional print") << QStringList{"/p", "a.vxr"} << int(C::FilePrint) << true << "a.vxr";
        QTest::newRow("print to") << QStringList{"/pt", "a.vxr", "lp0", "drv", "port"} << int(C::FilePrintTo) << true << "a.vxr";
        QTest::newRow("embedding") << QStringList{"-Embedding"} << int(C::FileNothing) << false << "";
        QTest::newRow("automation") << QStringList{"/Automation"} << int(C::FileNothing) << false << "";
        QTest::newRow("dde") << QStringList{"--dde"} << int(C::FileDDE) << true << "";
    }
    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, command);
        QFETCH(bool, splash);
        QFETCH(QString, file);
        const CommandLineInfo info = ParseCommandLine(arguments);
        QCOMPARE(int(info.m_nShellCommand), command);
        QCOMPARE(info.m_bShowSplash, splash);
        QCOMPARE(info.m_strFileName, file);
        QVERIFY(info.m_unknown.isEmpty());
    }

    void printToNamesThePrinter()
    {
        const CommandLineInfo info = ParseCommandLine({"--print-to", "a.vxr", "lp0", "drv", "port"});
        QCOMPARE(info.m_strPrinterName, QStringLiteral("lp0"));
        QCOMPARE(info.m_strDriverName, QStringLiteral("drv"));
        QCOMPARE(info.m_strPortName, QStringLiteral("port"));
    }

    void recentFileListKeepsFour()
    {
        RecentFileList list;
        for (int i = 1; i <= 6; ++i)
            list.Add(QStringLiteral("/captures/%1.vxr").arg(i));
        QCOMPARE(list.Files().size(), 4);
        QCOMPARE(list.Files().first(), QStringLiteral("/captures/6.vxr"));
        list.Add(QStringLiteral("/captures/4.vxr")); // reopening moves it to the front, no duplicate
        QCOMPARE(list.Files(), (QStringList{"/captures/4.vxr", "/captures/6.vxr", "/captures/5.vxr", "/captures/3.vxr"}));
        list.WriteList();
        RecentFileList reread;
        reread.ReadList();
        QCOMPARE(reread.Files(), list.Files());
    }
};

QTEST_MAIN(ShellTest)
#include "ShellTest.moc"
