#pragma once
// The pattern search bar: the pattern, Find previous and Find next, how many samples match, and
// while they are counted a progress bar with its Cancel. Its buttons and the Enter key ask for a
// step (the frame runs the commands); the search itself is PatternSearch's.

#include "view/PatternSearch.h"

#include <QToolBar>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace veldran {

class SearchBar : public QToolBar {
    Q_OBJECT
public:
    explicit SearchBar(CCaptureSession& session, QWidget* parent = nullptr);

    [[nodiscard]] PatternSearch& Search() { return m_search; }
    [[nodiscard]] QLineEdit* PatternEdit() const { return m_edit; }
    // Shows the bar and puts the focus in its pattern, selected.
    void FocusPattern();
    void Find(PatternSearch::EDirection direction);

signals:
    void stepRequested(veldran::PatternSearch::EDirection direction);

protected:
    void changeEvent(QEvent* event) override;

private:
    void Retranslate();
    void ShowCounting(bool counting);

    PatternSearch m_search;
    QLabel* m_label = nullptr;
    QLineEdit* m_edit = nullptr;
    QPushButton* m_previous = nullptr;
    QPushButton* m_next = nullptr;
    QLabel* m_count = nullptr;
    QProgressBar* m_progress = nullptr;
    QPushButton* m_cancel = nullptr;
    QAction* m_progressAction = nullptr;
    QAction* m_cancelAction = nullptr;
    qint64 m_nMatches = -1;
};

} // namespace veldran
