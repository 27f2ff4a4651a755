#include "view/BusValuesPanel.h"

#include "annotations/Bus.h"
#include "i18n/Translation.h"
#include "resources/Strings.h"

#include <QEvent>
#include <QFontDatabase>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>


namespace veldran {
namespace {

// The bus's value at a sample, or nothing outside the capture.
QString ValueAt(const Bus& bus, const SampleStore& store, int sample)
{
    if (sample < 0 || sample >= store.nCount)
        return {};
    return QString::fromStdString(FormatBusValue(BusValue(bus, store, sample), bus.Width(), bus.eRadix));
}

} // namespace

BusValuesPanel::BusValuesPanel(CCaptureSession& session, QWidget* parent)
    : QDockWidget(parent)
    , m_session(session)
{
    setObjectName(QStringLiteral("BusValuesPanel"));
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    m_table = new QTableWidget(0, kColumns, body);
    m_table->setObjectName(QStringLiteral("busValues"));
    m_table->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    // The names take the room left; the values keep the width of their longest.
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setSectionResizeMode(kName, QHeaderView::Stretch);
    m_none = new QLabel(body);
    m_none->setWordWrap(true);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_none);
    setWidget(body);
    Retranslate();

    for (const auto signal : {&CCaptureSession::cursorsMoved, &CCaptureSession::busesChanged,
                              &CCaptureSession::captureOpened, &CCaptureSession::captureCleared,
                              &CCaptureSession::captureReplaced})
        connect(&m_session, signal, this, &BusValuesPanel::Refresh);
    Refresh();
}

int BusValuesPanel::RowCount() const
{
    return m_table->rowCount();
}

QString BusValuesPanel::Text(int row, EColumn column) const
{
    const QTableWidgetItem* item = m_table->item(row, column);
    return item ? item->text() : QString();
}

void BusValuesPanel::Refresh()
{
    const std::vector<Bus>& buses = m_session.Buses();
    const SampleStore store = m_session.Store();
    m_table->setRowCount(static_cast<int>(buses.size()));
    for (size_t b = 0; b < buses.size(); ++b) {
        const Bus& bus = buses[b];
        const QString texts[kColumns] = {QString::fromStdString(bus.strName), ValueAt(bus, store, m_session.XCursor()),
                                         ValueAt(bus, store, m_session.YCursor())};
        for (int column = 0; column < kColumns; ++column) {
            QTableWidgetItem* item = m_table->item(static_cast<int>(b), column);
            if (!item) {
                item = new QTableWidgetItem;
                item->setTextAlignment(column == kName ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
                m_table->setItem(static_cast<int>(b), column, item);
            }
            item->setText(texts[column]);
        }
    }
    m_none->setVisible(buses.empty());
}

void BusValuesPanel::Retranslate()
{
    setWindowTitle(Tr(text::kBusValuesTitle));
    m_table->setHorizontalHeaderLabels({Tr(text::kBusColumn), Tr(text::kBusAtX), Tr(text::kBusAtY)});
    m_none->setText(Tr(text::kBusNone));
}

void BusValuesPanel::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        Retranslate();
    QDockWidget::changeEvent(event);
}

} // namespace veldran
