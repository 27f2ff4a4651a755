// The options dialog's data exchange: what the lists show for the three indexes, what OK stores,
// and that Cancel stores nothing.

#include "link/ClockPeriods.h"
#include "link/OptionsDialog.h"

#include <QComboBox>
#include <QPushButton>
#include <QTest>

using namespace veldran;

namespace {

QComboBox* List(COptionsDlg& dlg, int id)
{
    return dlg.findChild<QComboBox*>(QString::number(id));
}

void Press(COptionsDlg& dlg, int id)
{
    auto* button = dlg.findChild<QPushButton*>(QString::number(id));
    QVERIFY(button);
    QTest::mouseClick(button, Qt::LeftButton);
}

} // namespace

class OptionsDialogTest : public QObject {
    Q_OBJECT
private slots:
    void constructedWithoutSelection();
    void showSelectsIndexes_data();
    void showSelectsIndexes();
    void okStoresSelection();
    void okWithoutSelectionStoresMinusOne();
    void cancelKeepsIndexes();
};

void OptionsDialogTest::constructedWithoutSelection()
{
    COptionsDlg dlg;
    QCOMPARE(dlg.m_nPortIndex, -1);
    QCOMPARE(dlg.m_nSpeedIndex, -1);
    QCOMPARE(dlg.m_nClockIndex, -1);
    QCOMPARE(List(dlg, 1072)->count(), ClockPeriodCount());
}

void OptionsDialogTest::showSelectsIndexes_data()
{
    QTest::addColumn<int>("port");
    QTest::addColumn<int>("speed");
    QTest::addColumn<int>("clock");
    QTest::addColumn<int>("shownPort");
    QTest::addColumn<int>("shownSpeed");
    QTest::addColumn<int>("shownClock");
    QTest::newRow("as constructed") << -1 << -1 << -1 << -1 << -1 << -1;
    QTest::newRow("start-up values") << 0 << 0 << 0 << 0 << 0 << 0;
    QTest::newRow("last entries") << 3 << 1 << 21 << 3 << 1 << 21;
    QTest::newRow("beyond the lists") << 4 << 7 << 22 << -1 << -1 << -1;
}

void OptionsDialogTest::showSelectsIndexes()
{
    QFETCH(int, port);
    QFETCH(int, speed);
    QFETCH(int, clock);
    COptionsDlg dlg;
    // Something selected from an earlier showing must not survive a new one.
    List(dlg, 1070)->setCurrentIndex(2);
    dlg.m_nPortIndex = port;
    dlg.m_nSpeedIndex = speed;
    dlg.m_nClockIndex = clock;
    dlg.show();
    QTEST(List(dlg, 1070)->currentIndex(), "shownPort");
    QTEST(List(dlg, 1071)->currentIndex(), "shownSpeed");
    QTEST(List(dlg, 1072)->currentIndex(), "shownClock");
}

void OptionsDialogTest::okStoresSelection()
{
    COptionsDlg dlg;
    dlg.m_nPortIndex = 0;
    dlg.m_nSpeedIndex = 0;
    dlg.m_nClockIndex = 0;
    dlg.open();
    List(dlg, 1070)->setCurrentIndex(2);
    List(dlg, 1071)->setCurrentIndex(1);
    List(dlg, 1072)->setCurrentIndex(9);
    Press(dlg, 1);
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(dlg.m_nPortIndex, 2);
    QCOMPARE(dlg.m_nSpeedIndex, 1);
    QCOMPARE(dlg.m_nClockIndex, 9);
}

void OptionsDialogTest::okWithoutSelectionStoresMinusOne()
{
    COptionsDlg dlg;
    dlg.m_nPortIndex = 9; // not in the list: nothing selected
    dlg.m_nSpeedIndex = 1;
    dlg.m_nClockIndex = 3;
    dlg.open();
    Press(dlg, 1);
    QCOMPARE(dlg.m_nPortIndex, -1);
    QCOMPARE(dlg.m_nSpeedIndex, 1);
    QCOMPARE(dlg.m_nClockIndex, 3);
}

void OptionsDialogTest::cancelKeepsIndexes()
{
    COptionsDlg dlg;
    dlg.m_nPortIndex = 1;
    dlg.m_nSpeedIndex = -1;
    dlg.m_nClockIndex = 4;
    dlg.open();
    List(dlg, 1070)->setCurrentIndex(3);
    List(dlg, 1071)->setCurrentIndex(1);
    List(dlg, 1072)->setCurrentIndex(0);
    Press(dlg, 2);
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
    QCOMPARE(dlg.m_nPortIndex, 1);
    QCOMPARE(dlg.m_nSpeedIndex, -1);
    QCOMPARE(dlg.m_nClockIndex, 4);
    QVERIFY(!dlg.isVisible());
}

QTEST_MAIN(OptionsDialogTest)
#include "OptionsDialogTest.moc"
