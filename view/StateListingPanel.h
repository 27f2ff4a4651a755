#pragma once
// The state listing, docked beside the form: every sample of the capture in a table (the sample,
// its time, each bus's value), rows made only as they come into sight, so a capture of a million
// samples scrolls as freely as a short one. It keeps the X cursor's row in sight as X moves; a
// click on a row moves X there; Ctrl+C copies the selected rows as tab-separated text under a
// heading line.

#include "session/CaptureSession.h"

#include <QDockWidget>

#include <utility>
#include <vector>

class QTableView;

namespace veldran {

class StateListingModel;

class StateListingPanel : public QDockWidget {
    Q_OBJECT
public:
    explicit StateListingPanel(CCaptureSession& session, QWidget* parent = nullptr);

    [[nodiscard]] QTableView* Table() const { return m_table; }
    [[nodiscard]] const StateListingModel& Model() const { return *m_model; }
    // The selected rows as tab-separated lines under the headings, in sample order.
    [[nodiscard]] QString SelectedRowsText() const;
    void CopySelection() const;

protected:
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FitColumns();
    void FollowX();
    void OnRowClicked(const QModelIndex& index);
    // The selected rows as first … last ranges, in order and apart.
    [[nodiscard]] std::vector<std::pair<int, int>> SelectedRanges() const;

    CCaptureSession& m_session;
    StateListingModel* m_model = nullptr;
    QTableView* m_table = nullptr;
    int m_nShownX = -1;
};

} // namespace veldran
