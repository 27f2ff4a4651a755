#pragma once
// The state listing as a table model: one row per sample of the capture shown, made when the view
// asks for it and never kept. Its columns are the sample number, the time (while a clock period is
// set) and one per bus in the bus's radix; while no bus is defined, the three cell words in hex
// (D47..D32, D31..D16, D15..D0), so that a fresh capture lists at once. The row of the X cursor is
// tinted.

#include "annotations/Bus.h"
#include "session/CaptureSession.h"

#include <QAbstractTableModel>

#include <cstdint>
#include <optional>
#include <vector>

namespace veldran {

// The buses the listing shows for these: the buses themselves, or the cell words while there are none.
[[nodiscard]] std::vector<Bus> ListedBuses(const std::vector<Bus>& buses);

class StateListingModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit StateListingModel(CCaptureSession& session, QObject* parent = nullptr);

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // A cell's text and a column's heading, as shown and as copied.
    [[nodiscard]] QString Text(int row, int column) const;
    [[nodiscard]] QString Heading(int column) const;
    // The first column that holds a bus, and the bus of such a column.
    [[nodiscard]] int FirstBusColumn() const { return m_periodFs ? 2 : 1; }
    [[nodiscard]] const std::vector<Bus>& Columns() const { return m_buses; }
    // The sample time column's text for a sample ("" with the clock OFF).
    [[nodiscard]] QString TimeAt(int64_t sample) const;

signals:
    // The columns or the rows changed as a whole (another capture, other buses, the clock).
    void layoutRebuilt();

private:
    void Rebuild();
    void MarkRow(int row);

    CCaptureSession& m_session;
    std::vector<Bus> m_buses;
    std::optional<uint64_t> m_periodFs;
    int m_nRows = 0;
    int m_nMarkedRow = -1;
};

} // namespace veldran
