// The transfer dialog: it keeps its owner disabled exactly while it exists, ignores Enter and
// Esc, reports the cancel button, and lets waiting events run before it moves the bar.

#include "link/TransferDialog.h"

#include <QMainWindow>
#include <QPushButton>
#include <QProgressBar>
#include <QTest>
#include <QTimer>

using namespace veldran;

namespace {

class TimerRecorder : public TransferNotify {
public:
    void OnTimer(int nIdEvent) override { ids.push_back(nIdEvent); }
    std::vector<int> ids;
};

QPushButton* CancelButton(CTransferDlg& dlg)
{
    return dlg.findChild<QPushButton*>(QStringLiteral("1037"));
}

} // namespace

class TransferDialogTest : public QObject {
    Q_OBJECT
private slots:
    void opensAtTopLeftWithEmptyBar();
    void ownerDisabledWhileOpen();
    void ownerAlreadyDisabledStaysDisabled();
    void enterAndEscDoNothing_data();
    void enterAndEscDoNothing();
    void cancelNotifiesWithTimerZero();
    void showProgressRunsNoEvents();
};

void TransferDialogTest::opensAtTopLeftWithEmptyBar()
{
    CTransferDlg dlg;
    dlg.Create(nullptr);
    QVERIFY(dlg.isVisible());
    QCOMPARE(dlg.pos(), QPoint(0, 0));
    QVERIFY(!(dlg.windowFlags() & Qt::WindowCloseButtonHint));
    QCOMPARE(dlg.ProgressPosition(), 0);
}

void TransferDialogTest::ownerDisabledWhileOpen()
{
    QMainWindow owner;
    owner.show();
    {
        CTransferDlg dlg;
        dlg.Create(&owner);
        QVERIFY(!owner.isEnabled());
        QVERIFY(dlg.isEnabled()); // the dialog is not disabled with its owner
        QVERIFY(CancelButton(dlg)->isEnabled());
        dlg.Close();
        QVERIFY(owner.isEnabled());
        QVERIFY(!dlg.isVisible());
        dlg.Create(&owner);
        QVERIFY(!owner.isEnabled());
    }
    QVERIFY(owner.isEnabled()); // destruction closes it
}

void TransferDialogTest::ownerAlreadyDisabledStaysDisabled()
{
    QMainWindow owner;
    owner.show();
    owner.setEnabled(false);
    CTransferDlg dlg;
    dlg.Create(&owner);
    QVERIFY(!dlg.OwnerDisabled());
    dlg.Close();
    QVERIFY(!owner.isEnabled());
}

void TransferDialogTest::enterAndEscDoNothing_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("focusOnCancel");
    QTest::newRow("Esc") << int(Qt::Key_Escape) << false;
    QTest::newRow("Enter") << int(Qt::Key_Return) << false;
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << false;
    QTest::newRow("Enter on the cancel button") << int(Qt::Key_Return) << true;
    QTest::newRow("Esc on the cancel button") << int(Qt::Key_Escape) << true;
}

void TransferDialogTest::enterAndEscDoNothing()
{
    QFETCH(int, key);
    QFETCH(bool, focusOnCancel);
    QMainWindow owner;
    owner.show();
    TimerRecorder view;
    CTransferDlg dlg;
    dlg.Create(&owner);
    dlg.m_pNotifyView = &view;
    QWidget* target = &dlg;
    if (focusOnCancel) {
        CancelButton(dlg)->setFocus();
        target = CancelButton(dlg);
    }
    QTest::keyClick(target, Qt::Key(key));
    QVERIFY(dlg.isVisible());
    QVERIFY(!dlg.m_bCancelled);
    QVERIFY(view.ids.empty());
    QVERIFY(!owner.isEnabled());
}

void TransferDialogTest::cancelNotifiesWithTimerZero()
{
    TimerRecorder view;
    CTransferDlg dlg;
    dlg.Create(nullptr);
    dlg.m_pNotifyView = &view;
    QTest::mouseClick(CancelButton(dlg), Qt::LeftButton);
    QVERIFY(dlg.m_bCancelled);
    QCOMPARE(view.ids, std::vector<int>{0});
}

// Moving the bar runs no other event (the reception is never entered again from inside); the bar
// on screen follows from the event loop.
void TransferDialogTest::showProgressRunsNoEvents()
{
    CTransferDlg dlg;
    dlg.Create(nullptr);
    auto* bar = dlg.findChild<QProgressBar*>();
    QVERIFY(bar);
    bool ran = false;
    QTimer::singleShot(0, &dlg, [&] { ran = true; });
    dlg.ShowProgress(30);
    QVERIFY(!ran);
    QCOMPARE(dlg.ProgressPosition(), 30);
    QCOMPARE(bar->value(), 30);
    dlg.ShowProgress(50); // soon after: the bar waits for its refresh
    QCOMPARE(dlg.ProgressPosition(), 50);
    QTRY_COMPARE(bar->value(), 50);
    QVERIFY(ran);
}

QTEST_MAIN(TransferDialogTest)
#include "TransferDialogTest.moc"
