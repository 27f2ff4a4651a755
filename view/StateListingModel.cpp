#include "view/StateListingModel.h"

#include "analysis/MeasureTexts.h"
#include "annotations/BusListing.h"
#include "i18n/Translation.h"
#include "resources/Strings.h"

#include <QColor>

#include <cmath>
#include <string>

namespace veldran {
namespace {

// Pale enough that the selection's colour still shows over it.
const QColor kXRowTint(255, 236, 200);

Bus CellWordBus(int cell)
{
    const int top = cell * kChannelsPerCell + kChannelsPerCell - 1;
    Bus bus{"D" + std::to_string(top) + "..D" + std::to_string(top - kChannelsPerCell + 1), {}, ERadix::Hex};
    for (int channel = top; channel > top - kChannelsPerCell; --channel)
        bus.channels.push_back(channel);
    return bus;
}

std::optional<uint64_t> PeriodOf(double seconds)
{
    if (IsClockOff(seconds) || !(seconds > 0.0) || !std::isfinite(seconds))
        return std::nullopt;
    const double fs = std::round(seconds * 1e15);
    return fs >= 1.0 ? std::optional<uint64_t>(static_cast<uint64_t>(fs)) : std::nullopt;
}

} // namespace

std::vector<Bus> ListedBuses(const std::vector<Bus>& buses)
{
    if (!buses.empty())
        return buses;
    return {CellWordBus(2), CellWordBus(1), CellWordBus(0)};
}

StateListingModel::StateListingModel(CCaptureSession& session, QObject* parent)
    : QAbstractTableModel(parent)
    , m_session(session)
{
    for (const auto signal : {&CCaptureSession::captureOpened, &CCaptureSession::captureCleared,
                              &CCaptureSession::captureReplaced, &CCaptureSession::busesChanged})
        connect(&m_session, signal, this, &StateListingModel::Rebuild);
    connect(&m_session, &CCaptureSession::clockPeriodChanged, this, &StateListingModel::Rebuild);
    connect(&m_session, &CCaptureSession::cursorsMoved, this, [this] { MarkRow(m_session.XCursor()); });
    Rebuild();
}

void StateListingModel::Rebuild()
{
    beginResetModel();
    m_buses = ListedBuses(m_session.Buses());
    m_periodFs = PeriodOf(m_session.ClockPeriod());
    m_nRows = static_cast<int>(m_session.Store().nCount);
    m_nMarkedRow = m_session.XCursor();
    endResetModel();
    emit layoutRebuilt();
}

void StateListingModel::MarkRow(int row)
{
    if (row == m_nMarkedRow)
        return;
    const int before = m_nMarkedRow;
    m_nMarkedRow = row;
    for (const int changed : {before, row})
        if (changed >= 0 && changed < m_nRows)
            emit dataChanged(index(changed, 0), index(changed, columnCount() - 1), {Qt::BackgroundRole});
}

int StateListingModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_nRows;
}

int StateListingModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : FirstBusColumn() + static_cast<int>(m_buses.size());
}

QString StateListingModel::TimeAt(int64_t sample) const
{
    if (!m_periodFs)
        return {};
    std::string text;
    AppendFemtoseconds(text, static_cast<uint64_t>(sample), *m_periodFs);
    return QString::fromStdString(text);
}

QString StateListingModel::Text(int row, int column) const
{
    // The store is asked again on every call: the rows never outlive the samples they show.
    const SampleStore store = m_session.Store();
    if (row < 0 || row >= store.nCount || column < 0 || column >= columnCount())
        return {};
    if (column == 0)
        return QString::number(row);
    if (column < FirstBusColumn())
        return TimeAt(row);
    const Bus& bus = m_buses[static_cast<size_t>(column - FirstBusColumn())];
    return QString::fromStdString(FormatBusValue(BusValue(bus, store, row), bus.Width(), bus.eRadix));
}

QVariant StateListingModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return Text(index.row(), index.column());
    case Qt::BackgroundRole:
        return index.row() == m_nMarkedRow ? QVariant(kXRowTint) : QVariant();
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    default:
        return {};
    }
}

QString StateListingModel::Heading(int column) const
{
    if (column == 0)
        return Tr(text::kListingSample);
    if (column < FirstBusColumn())
        return Tr(text::kListingTime);
    const size_t bus = static_cast<size_t>(column - FirstBusColumn());
    return bus < m_buses.size() ? QString::fromStdString(m_buses[bus].strName) : QString();
}

QVariant StateListingModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return Heading(section);
}

} // namespace veldran
