// The bus values panel and the state listing over the bus capture (BusCaptureFixture.h): the
// values they show in every radix against values worked out by hand, the listing's columns with
// and without buses and clock, and the listing's ways with the X cursor, the selection and a
// capture far larger than a screen.

#include "tests/view/BusCaptureFixture.h"

#include "view/BusValuesPanel.h"
#include "view/StateListingModel.h"
#include "view/StateListingPanel.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLabel>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

#include <set>

using namespace veldran;

namespace {

constexpr int kSamples = 2000;

// Which rows a view asked for.
class RowRecorder : public QIdentityProxyModel {
public:
    mutable std::set<int> rows;
    QVariant data(const QModelIndex& index, int role) const override
    {
        rows.insert(index.row());
        return QIdentityProxyModel::data(index, role);
    }
};

bool RowInSight(const QTableView& table, int row)
{
    const QRect rect = table.visualRect(table.model()->index(row, 0));
    return rect.isValid() && table.viewport()->rect().contains(rect);
}

} // namespace

class BusPanelsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<CCaptureSession> m_session;
    std::unique_ptr<BusValuesPanel> m_values;
    std::unique_ptr<StateListingPanel> m_listing;

    void LoadBusCapture(int count)
    {
        test::LoadCapture(m_session->Document(), count, test::BusCaptureLevel);
        m_session->OpenCapture();
    }

    QTableView& ShownListing()
    {
        m_listing->resize(400, 300);
        m_listing->show();
        if (!QTest::qWaitForWindowExposed(m_listing.get()))
            qFatal("the listing did not show");
        return *m_listing->Table();
    }

private slots:
    void init()
    {
        m_session = std::make_unique<CCaptureSession>();
        LoadBusCapture(kSamples);
        m_values = std::make_unique<BusValuesPanel>(*m_session);
        m_listing = std::make_unique<StateListingPanel>(*m_session);
    }

    void cleanup()
    {
        m_listing.reset();
        m_values.reset();
        m_session.reset();
    }

    void showTheValuesInTheBusRadix_data()
    {
        QTest::addColumn<ERadix>("radix");
        QTest::addColumn<QStringList>("expected"); // at samples 0, 1, 5, 7, 13, 21
        QTest::newRow("hex") << ERadix::Hex << QStringList{"E0", "E1", "61", "60", "61", "E1"};
        QTest::newRow("unsigned") << ERadix::Unsigned << QStringList{"224", "225", "97", "96", "97", "225"};
        QTest::newRow("signed") << ERadix::Signed << QStringList{"-32", "-31", "97", "96", "97", "-31"};
        QTest::newRow("ascii") << ERadix::Ascii << QStringList{".", ".", "a", "`", "a", "."};
        QTest::newRow("binary") << ERadix::Binary
                                << QStringList{"11100000", "11100001", "01100001", "01100000", "01100001", "11100001"};
    }

    void showTheValuesInTheBusRadix()
    {
        QFETCH(ERadix, radix);
        QFETCH(QStringList, expected);
        // A second bus keeps the first from being the last column, which the view stretches.
        m_session->SetBuses({test::TypedBus("DATA=D7..D0", radix), test::TypedBus("TOP=D7", ERadix::Binary)});
        const StateListingModel& model = m_listing->Model();
        QCOMPARE(model.columnCount(), 3);
        QCOMPARE(model.Heading(1), QStringLiteral("DATA"));
        const int samples[] = {0, 1, 5, 7, 13, 21};
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(model.data(model.index(samples[i], 1)).toString(), expected[i]);
            QCOMPARE(model.Text(samples[i], 2), samples[i] % 10 < 3 ? QStringLiteral("1") : QStringLiteral("0"));
        }
        QCOMPARE(m_values->RowCount(), 2);
        QCOMPARE(m_values->Text(0, BusValuesPanel::kName), QStringLiteral("DATA"));
        for (int i = 0; i < 6; ++i) {
            m_session->SetCursors(samples[i], samples[5 - i]);
            QCOMPARE(m_values->Text(0, BusValuesPanel::kAtX), expected[i]);
            QCOMPARE(m_values->Text(0, BusValuesPanel::kAtY), expected[5 - i]);
        }
    }

    void valuesFollowTheBusesAndTheCapture()
    {
        QCOMPARE(m_values->RowCount(), 0);
        QVERIFY(m_values->findChild<QLabel*>()->isVisibleTo(m_values.get()));
        m_session->SetCursors(5, 7);
        m_session->SetBuses({test::TypedBus("LOW=D0,D5", ERadix::Binary)});
        QCOMPARE(m_values->Text(0, BusValuesPanel::kAtX), QStringLiteral("11"));
        QCOMPARE(m_values->Text(0, BusValuesPanel::kAtY), QStringLiteral("01"));
        m_session->ClearCapture();
        QCOMPARE(m_values->Text(0, BusValuesPanel::kName), QStringLiteral("LOW"));
        QVERIFY(m_values->Text(0, BusValuesPanel::kAtX).isEmpty());
        QCOMPARE(m_listing->Model().rowCount(), 0);
    }

    void listsTheCellWordsUntilABusIsDefined()
    {
        const StateListingModel& model = m_listing->Model();
        QCOMPARE(model.rowCount(), kSamples);
        QCOMPARE(model.columnCount(), 4);
        QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("D47..D32"));
        QCOMPARE(model.headerData(3, Qt::Horizontal).toString(), QStringLiteral("D15..D0"));
        for (const int sample : {0, 5, 21}) {
            const test::Cells cells = test::SampleCells(test::BusCaptureLevel, sample);
            for (int cell = 0; cell < 3; ++cell)
                QCOMPARE(model.Text(sample, 3 - cell),
                         QStringLiteral("%1").arg(cells[static_cast<size_t>(cell)], 4, 16, QLatin1Char('0')).toUpper());
        }
        // The cell word is what the capture file holds, here as the listing shows it.
        QCOMPARE(test::CellWord(test::BusCaptureLevel, 5, 0), std::string("0000000001100001"));
        QCOMPARE(model.Text(5, 3), QStringLiteral("0061"));
    }

    void listsTheTimeWhileAClockIsSet()
    {
        m_session->SetBuses({test::TypedBus("DATA=D7..D0", ERadix::Hex)});
        QSignalSpy rebuilt(&m_listing->Model(), &StateListingModel::layoutRebuilt);
        m_session->SetClockPeriod(3, 40e-9);
        const StateListingModel& model = m_listing->Model();
        QCOMPARE(rebuilt.count(), 1);
        QCOMPARE(model.columnCount(), 3);
        QCOMPARE(model.Heading(1), QStringLiteral("시간 (s)"));
        QCOMPARE(model.Text(0, 1), QStringLiteral("0"));
        QCOMPARE(model.Text(1999, 1), QStringLiteral("0.00007996"));
        QCOMPARE(model.Text(21, 2), QStringLiteral("E1"));
        m_session->SetClockPeriod(0, 1.0);
        QCOMPARE(model.columnCount(), 2);
        QCOMPARE(model.Text(21, 1), QStringLiteral("E1"));
    }

    void keepsTheXRowInSightAndTinted()
    {
        QTableView& table = ShownListing();
        const StateListingModel& model = m_listing->Model();
        QVERIFY(RowInSight(table, 0) && !RowInSight(table, 1500));
        m_session->SetCursors(1500, 3);
        QVERIFY(RowInSight(table, 1500));
        QVERIFY(!RowInSight(table, 0));
        QVERIFY(model.data(model.index(1500, 2), Qt::BackgroundRole).isValid());
        QVERIFY(!model.data(model.index(0, 2), Qt::BackgroundRole).isValid());
        // The Y cursor alone does not move the listing.
        table.scrollToTop();
        m_session->SetCursors(1500, 1800);
        QVERIFY(RowInSight(table, 0));
    }

    void aClickOnARowMovesX()
    {
        QTableView& table = ShownListing();
        m_session->SetCursors(3, 9);
        QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, table.visualRect(table.model()->index(6, 1)).center());
        QCOMPARE(m_session->XCursor(), 6);
        QCOMPARE(m_session->YCursor(), 9);
        // Shift widens the selection and leaves X where it is.
        QTest::mouseClick(table.viewport(), Qt::LeftButton, Qt::ShiftModifier,
                          table.visualRect(table.model()->index(8, 1)).center());
        QCOMPARE(m_session->XCursor(), 6);
        QCOMPARE(table.selectionModel()->selectedRows().size(), 3);
    }

    void copiesTheSelectedRowsAsTabSeparatedText()
    {
        m_session->SetBuses({test::TypedBus("DATA=D7..D0", ERadix::Hex), test::TypedBus("ODD=D0", ERadix::Binary)});
        m_session->SetClockPeriod(3, 1e-6);
        QTableView& table = ShownListing();
        QItemSelectionModel& selection = *table.selectionModel();
        const auto rows = QItemSelectionModel::Select | QItemSelectionModel::Rows;
        selection.select(table.model()->index(13, 0), rows);
        selection.select(QItemSelection(table.model()->index(5, 0), table.model()->index(7, 0)), rows);
        // A cell picked alone inside a selected row adds no second line.
        selection.select(table.model()->index(6, 2), QItemSelectionModel::Select);
        table.setFocus();
        QApplication::clipboard()->clear();
        QTest::keyClick(&table, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("샘플 번호\t시간 (s)\tDATA\tODD\n"
                                                                   "5\t0.000005\t61\t1\n"
                                                                   "6\t0.000006\t61\t1\n"
                                                                   "7\t0.000007\t60\t0\n"
                                                                   "13\t0.000013\t61\t1\n"));
    }

    void asksOnlyForTheRowsInSight()
    {
        const int large = 200000;
        LoadBusCapture(large);
        QTableView& table = ShownListing();
        QCOMPARE(m_listing->Model().rowCount(), large);
        QCOMPARE(table.verticalHeader()->sectionResizeMode(0), QHeaderView::Fixed);
        RowRecorder recorder;
        recorder.setSourceModel(const_cast<StateListingModel*>(&m_listing->Model()));
        table.setModel(&recorder);
        table.scrollTo(recorder.index(150000, 0));
        table.grab();
        QVERIFY(!recorder.rows.empty());
        QVERIFY2(recorder.rows.size() < 100, qPrintable(QString::number(recorder.rows.size())));
        QVERIFY(*recorder.rows.begin() > 140000);
        QCOMPARE(table.model()->index(150000, 0).data().toString(), QStringLiteral("150000"));
    }
};

QTEST_MAIN(BusPanelsTest)
#include "BusPanelsTest.moc"
