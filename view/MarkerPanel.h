#pragma once
// The markers panel, docked beside the form: one row a marker in sample order (its sample, its
// time while a clock period is set, its label and the first line of its note). A click on a row
// puts the X cursor on its sample and brings it into the window; a double-click asks for the
// marker to be edited; the Delete key deletes the marker of the current row.

#include "session/CaptureSession.h"

#include <QDockWidget>

class QTreeWidget;

namespace veldran {

// Puts the X cursor on a sample (X becomes the active cursor) and brings it into the window.
void PutXOnSample(CCaptureSession& session, int sample);

class MarkerPanel : public QDockWidget {
    Q_OBJECT
public:
    enum class EColumn { Sample, Time, Label, Note, Count };

    explicit MarkerPanel(CCaptureSession& session, QWidget* parent = nullptr);

    [[nodiscard]] QTreeWidget* Rows() const { return m_rows; }
    [[nodiscard]] QString Text(int row, EColumn column) const;

signals:
    void editRequested(int index);

protected:
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Refresh();
    void Retranslate();
    void ShowAtX(int index);

    CCaptureSession& m_session;
    QTreeWidget* m_rows = nullptr;
};

} // namespace veldran
