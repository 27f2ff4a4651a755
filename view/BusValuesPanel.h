#pragma once
// The bus values panel, docked beside the form: per bus its name and its values at the X and Y
// cursors, each in the bus's radix. It follows the cursors, the buses and the capture shown; with
// no bus defined it says where buses are made.

#include "session/CaptureSession.h"

#include <QDockWidget>

class QLabel;
class QTableWidget;

namespace veldran {

class BusValuesPanel : public QDockWidget {
    Q_OBJECT
public:
    enum EColumn { kName, kAtX, kAtY, kColumns };

    explicit BusValuesPanel(CCaptureSession& session, QWidget* parent = nullptr);

    [[nodiscard]] int RowCount() const;
    [[nodiscard]] QString Text(int row, EColumn column) const;

protected:
    void changeEvent(QEvent* event) override;

private:
    void Refresh();
    void Retranslate();

    CCaptureSession& m_session;
    QTableWidget* m_table = nullptr;
    QLabel* m_none = nullptr;
};

} // namespace veldran
