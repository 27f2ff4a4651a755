#include "view/MarkerPanel.h"

#include "analysis/MeasureTexts.h"
#include "i18n/Translation.h"
#include "resources/Strings.h"

#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QTreeWidget>

#include <algorithm>

namespace veldran {
namespace {

constexpr const char* kHeaders[] = {text::kMarkerSampleColumn, text::kMarkerTimeColumn, text::kMarkerLabelColumn,
                                    text::kMarkerNoteColumn};
constexpr int kColumns = static_cast<int>(MarkerPanel::EColumn::Count);

QString FirstLine(const std::string& note)
{
    return QString::fromStdString(note.substr(0, note.find('\n')));
}

} // namespace

void PutXOnSample(CCaptureSession& session, int sample)
{
    session.SetCursors(sample, session.YCursor());
    session.SetActiveCursor(CCaptureSession::ECursor::X);
    session.RevealSample(sample);
}

MarkerPanel::MarkerPanel(CCaptureSession& session, QWidget* parent)
    : QDockWidget(parent)
    , m_session(session)
    , m_rows(new QTreeWidget(this))
{
    static_assert(std::size(kHeaders) == kColumns);
    setObjectName(QStringLiteral("MarkerPanel"));
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    m_rows->setColumnCount(kColumns);
    m_rows->setRootIsDecorated(false);
    m_rows->setUniformRowHeights(true);
    m_rows->setSelectionMode(QAbstractItemView::SingleSelection);
    m_rows->header()->setStretchLastSection(true);
    m_rows->installEventFilter(this);
    setWidget(m_rows);
    Retranslate();

    connect(m_rows, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { ShowAtX(m_rows->indexOfTopLevelItem(item)); });
    connect(m_rows, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { emit editRequested(m_rows->indexOfTopLevelItem(item)); });
    for (const auto signal : {&CCaptureSession::markersChanged, &CCaptureSession::captureOpened,
                              &CCaptureSession::captureCleared, &CCaptureSession::captureReplaced})
        connect(&m_session, signal, this, &MarkerPanel::Refresh);
    connect(&m_session, &CCaptureSession::clockPeriodChanged, this, &MarkerPanel::Refresh);
    Refresh();
}

QString MarkerPanel::Text(int row, EColumn column) const
{
    const QTreeWidgetItem* item = m_rows->topLevelItem(row);
    return item ? item->text(static_cast<int>(column)) : QString();
}

void MarkerPanel::Refresh()
{
    const int current = m_rows->indexOfTopLevelItem(m_rows->currentItem());
    m_rows->clear();
    const double period = m_session.ClockPeriod();
    QList<QTreeWidgetItem*> items;
    for (const Marker& marker : m_session.Markers()) {
        auto* item = new QTreeWidgetItem;
        item->setText(static_cast<int>(EColumn::Sample), QString::number(marker.nSample));
        if (!IsClockOff(period))
            item->setText(static_cast<int>(EColumn::Time),
                          QString::fromStdString(TimeText(static_cast<double>(marker.nSample) * period)));
        item->setText(static_cast<int>(EColumn::Label), QString::fromStdString(marker.strLabel));
        item->setText(static_cast<int>(EColumn::Note), FirstLine(marker.strNote));
        item->setForeground(static_cast<int>(EColumn::Label), QColor::fromRgb(static_cast<QRgb>(marker.nColour)));
        item->setTextAlignment(static_cast<int>(EColumn::Sample), Qt::AlignRight | Qt::AlignVCenter);
        items.append(item);
    }
    m_rows->addTopLevelItems(items);
    m_rows->setColumnHidden(static_cast<int>(EColumn::Time), IsClockOff(period));
    // The row the user was on stays current where it still exists, so Delete can go down a list.
    if (!items.isEmpty() && current >= 0)
        m_rows->setCurrentItem(items.at(std::min<qsizetype>(current, items.size() - 1)));
}

void MarkerPanel::ShowAtX(int index)
{
    const std::vector<Marker>& markers = m_session.Markers();
    if (index < 0 || static_cast<size_t>(index) >= markers.size() || !m_session.HasCapture())
        return;
    PutXOnSample(m_session, static_cast<int>(markers[static_cast<size_t>(index)].nSample));
}

bool MarkerPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_rows && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete && m_rows->currentItem()) {
        m_session.RemoveMarker(m_rows->indexOfTopLevelItem(m_rows->currentItem()));
        return true;
    }
    return QDockWidget::eventFilter(watched, event);
}

void MarkerPanel::Retranslate()
{
    setWindowTitle(Tr(text::kMarkerTitle));
    QStringList headers;
    for (const char* header : kHeaders)
        headers << Tr(header);
    m_rows->setHeaderLabels(headers);
}

void MarkerPanel::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        Retranslate();
    QDockWidget::changeEvent(event);
}

} // namespace veldran
