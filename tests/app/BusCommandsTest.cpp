// The buses in the main window: the View menu's entries, the state listing's Ctrl+C through the
// frame's accelerators, the dialog opened by its command, and the English face of all three.

#include "tests/common/MessageRecorder.h"
#include "tests/common/TestEnvironment.h"
#include "tests/view/BusCaptureFixture.h"

#include "app/AppShell.h"
#include "app/CommandRouter.h"
#include "app/MainFrame.h"
#include "i18n/Translation.h"
#include "resources/Ids.h"
#include "view/BusDialog.h"
#include "view/BusValuesPanel.h"
#include "view/StateListingModel.h"
#include "view/StateListingPanel.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QTableView>
#include <QTest>
#include <QTimer>

using namespace veldran;

class BusCommandsTest : public QObject {
    Q_OBJECT

private:
    // The serial port's complaint, when it cannot open, is kept out of the way of the windows.
    test::MessageRecorder m_boxes;
    std::unique_ptr<AppShell> m_shell;

    CMainFrame& ShownFrame()
    {
        m_shell = std::make_unique<AppShell>();
        if (!m_shell->ProcessShellCommand(CommandLineInfo{}))
            qFatal("the shell did not start");
        CMainFrame& frame = m_shell->Frame();
        frame.show();
        frame.activateWindow();
        if (!QTest::qWaitForWindowActive(&frame))
            qFatal("the frame did not show");
        test::LoadCapture(m_shell->Document(), 100, test::BusCaptureLevel);
        m_shell->Session().OpenCapture();
        m_shell->Session().SetBuses({test::TypedBus("DATA=D7..D0", ERadix::Hex)});
        return frame;
    }

private slots:
    void initTestCase()
    {
        test::UseTestSettings();
        test::MapSerialPorts();
    }

    void cleanup() { m_shell.reset(); }

    void theViewMenuShowsTheBusPanels()
    {
        CMainFrame& frame = ShownFrame();
        CommandRouter& router = m_shell->Router();
        for (const auto& [id, panel] : {std::pair<int, QWidget*>{ids::kToggleBusValues, frame.GetBusValuesPanel()},
                                        std::pair<int, QWidget*>{ids::kToggleStateListing, frame.GetStateListing()}}) {
            QVERIFY(!panel->isVisible());
            QVERIFY(!router.Action(id)->isChecked());
            QVERIFY(router.Execute(id));
            QTRY_VERIFY(panel->isVisible());
            QVERIFY(router.Action(id)->isChecked());
        }
        m_shell->Session().SetCursors(21, m_shell->Session().YCursor());
        QCOMPARE(frame.GetBusValuesPanel()->Text(0, BusValuesPanel::kAtX), QStringLiteral("E1"));
        QVERIFY(router.Execute(ids::kToggleBusValues));
        QTRY_VERIFY(!frame.GetBusValuesPanel()->isVisible());
    }

    void ctrlCCopiesTheListingInTheWindow()
    {
        CMainFrame& frame = ShownFrame();
        QVERIFY(m_shell->Router().Execute(ids::kToggleStateListing));
        QTableView& table = *frame.GetStateListing()->Table();
        QTRY_VERIFY(table.isVisible());
        QVERIFY(!m_shell->Router().IsEnabled(ids::kEditCopy));
        QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, table.visualRect(table.model()->index(1, 1)).center());
        QCOMPARE(m_shell->Session().XCursor(), 1);
        QVERIFY(table.hasFocus());
        QVERIFY(m_shell->Router().IsEnabled(ids::kEditCopy));
        QApplication::clipboard()->clear();
        QTest::keyClick(&table, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("샘플 번호\tDATA\n1\tE1\n"));
        QApplication::clipboard()->clear();
        QVERIFY(m_shell->Router().Execute(ids::kEditCopy));
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("샘플 번호\tDATA\n1\tE1\n"));
    }

    void theBusesCommandOpensTheDialog()
    {
        ShownFrame();
        QString title;
        int buses = -1;
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<BusDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            title = dialog->windowTitle();
            buses = static_cast<int>(dialog->Buses().size());
            dialog->reject();
        });
        QVERIFY(m_shell->Router().Execute(ids::kBusDefinitions));
        QCOMPARE(title, QStringLiteral("버스 정의"));
        QCOMPARE(buses, 1);
    }

    void theBusWindowsSpeakEnglish()
    {
        CMainFrame& frame = ShownFrame();
        m_shell->Session().SetClockPeriod(3, 1e-6);
        QVERIFY(UseUiLanguage(UiLanguage::English));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
        const QString listing[] = {frame.GetStateListing()->windowTitle(),
                                   frame.GetStateListing()->Model().headerData(0, Qt::Horizontal).toString(),
                                   frame.GetStateListing()->Model().headerData(1, Qt::Horizontal).toString()};
        const QString values = frame.GetBusValuesPanel()->windowTitle();
        BusDialog dialog(m_shell->Session());
        const QString radix = dialog.findChild<QComboBox*>(QStringLiteral("busRadix"))->itemText(1);
        UseUiLanguage(UiLanguage::Korean);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
        QCOMPARE(listing[0], QStringLiteral("State Listing"));
        QCOMPARE(listing[1], QStringLiteral("Sample"));
        QCOMPARE(listing[2], QStringLiteral("Time (s)"));
        QCOMPARE(values, QStringLiteral("Bus Values"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Bus Definitions"));
        QCOMPARE(radix, QStringLiteral("Unsigned decimal"));
        QCOMPARE(frame.GetStateListing()->windowTitle(), QStringLiteral("상태 목록"));
    }
};

QTEST_MAIN(BusCommandsTest)
#include "BusCommandsTest.moc"
