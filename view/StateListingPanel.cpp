#include "view/StateListingPanel.h"

#include "i18n/Translation.h"
#include "resources/Strings.h"
#include "view/StateListingModel.h"

#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QFontDatabase>
#include <QHeaderView>
#include <QKeyEvent>
#include <QTableView>

#include <algorithm>

namespace veldran {
namespace {

// The widest text a bus's values take in its radix: all ones, or the most negative number.
QString WidestValue(const Bus& bus)
{
    const int width = bus.Width();
    if (bus.eRadix == ERadix::Ascii)
        return QString((width + 7) / 8, QLatin1Char('W'));
    const uint64_t ones = width >= 64 ? ~uint64_t{0} : (uint64_t{1} << width) - 1;
    const std::string allOnes = FormatBusValue(ones, width, bus.eRadix);
    const std::string lowest = FormatBusValue(uint64_t{1} << (width - 1), width, bus.eRadix);
    return QString::fromStdString(allOnes.size() >= lowest.size() ? allOnes : lowest);
}

} // namespace

StateListingPanel::StateListingPanel(CCaptureSession& session, QWidget* parent)
    : QDockWidget(parent)
    , m_session(session)
{
    setObjectName(QStringLiteral("StateListingPanel"));
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    m_model = new StateListingModel(m_session, this);
    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("stateListing"));
    m_table->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setWordWrap(false);
    // Rows of one height, never measured: the view places a million of them by arithmetic alone.
    QHeaderView* rows = m_table->verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(m_table->fontMetrics().height() + 4);
    rows->hide();
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setModel(m_model);
    m_table->installEventFilter(this);
    setWidget(m_table);
    setWindowTitle(Tr(text::kListingTitle));

    connect(m_model, &StateListingModel::layoutRebuilt, this, &StateListingPanel::FitColumns);
    connect(m_model, &StateListingModel::layoutRebuilt, this, [this] {
        m_nShownX = -1;
        FollowX();
    });
    connect(&m_session, &CCaptureSession::cursorsMoved, this, &StateListingPanel::FollowX);
    connect(m_table, &QTableView::clicked, this, &StateListingPanel::OnRowClicked);
    FitColumns();
    FollowX();
}

void StateListingPanel::FitColumns()
{
    // Measured from the widest value a column can hold, never from its rows.
    const QFontMetrics metrics(m_table->font());
    const QFontMetrics headingMetrics(m_table->horizontalHeader()->font());
    const int padding = metrics.horizontalAdvance(QStringLiteral("00"));
    const auto fit = [&](int column, const QString& widest) {
        const int width = std::max(metrics.horizontalAdvance(widest), headingMetrics.horizontalAdvance(m_model->Heading(column)));
        m_table->setColumnWidth(column, width + padding);
    };
    const int rows = m_model->rowCount();
    fit(0, QString::number(std::max(rows - 1, 0)));
    if (m_model->FirstBusColumn() > 1)
        fit(1, m_model->TimeAt(std::max(rows - 1, 0)) + QStringLiteral("0"));
    for (size_t b = 0; b < m_model->Columns().size(); ++b)
        fit(m_model->FirstBusColumn() + static_cast<int>(b), WidestValue(m_model->Columns()[b]));
}

void StateListingPanel::FollowX()
{
    const int x = m_session.XCursor();
    if (x == m_nShownX || x < 0 || x >= m_model->rowCount())
        return;
    m_nShownX = x;
    m_table->scrollTo(m_model->index(x, 0), QAbstractItemView::EnsureVisible);
}

void StateListingPanel::OnRowClicked(const QModelIndex& index)
{
    // A click with Shift or Ctrl only widens or trims the selection.
    if (!index.isValid() || (QApplication::keyboardModifiers() & (Qt::ShiftModifier | Qt::ControlModifier)))
        return;
    m_session.SetCursors(index.row(), m_session.YCursor());
}

std::vector<std::pair<int, int>> StateListingPanel::SelectedRanges() const
{
    std::vector<std::pair<int, int>> ranges;
    for (const QItemSelectionRange& range : m_table->selectionModel()->selection())
        ranges.emplace_back(range.top(), range.bottom());
    std::sort(ranges.begin(), ranges.end());
    // Ranges of single cells may overlap: each row is copied once.
    std::vector<std::pair<int, int>> merged;
    for (const auto& range : ranges) {
        if (!merged.empty() && range.first <= merged.back().second + 1)
            merged.back().second = std::max(merged.back().second, range.second);
        else
            merged.push_back(range);
    }
    return merged;
}

QString StateListingPanel::SelectedRowsText() const
{
    const int columns = m_model->columnCount();
    const auto line = [columns](const auto& field) {
        QString text;
        for (int column = 0; column < columns; ++column)
            text += (column ? QStringLiteral("\t") : QString()) + field(column);
        return text + QLatin1Char('\n');
    };
    QString text = line([this](int column) { return m_model->Heading(column); });
    for (const auto& [first, last] : SelectedRanges())
        for (int row = first; row <= last; ++row)
            text += line([this, row](int column) { return m_model->Text(row, column); });
    return text;
}

void StateListingPanel::CopySelection() const
{
    if (m_table->selectionModel()->hasSelection())
        QApplication::clipboard()->setText(SelectedRowsText());
}

bool StateListingPanel::eventFilter(QObject* watched, QEvent* event)
{
    // Copy is the listing's own while it has the focus: the rows, not the current cell alone.
    if (watched == m_table && (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress)
        && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        event->accept();
        if (event->type() == QEvent::KeyPress)
            CopySelection();
        return true;
    }
    return QDockWidget::eventFilter(watched, event);
}

void StateListingPanel::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        setWindowTitle(Tr(text::kListingTitle));
        emit m_model->headerDataChanged(Qt::Horizontal, 0, m_model->columnCount() - 1);
        FitColumns();
    }
    QDockWidget::changeEvent(event);
}

} // namespace veldran
