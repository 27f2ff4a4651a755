#pragma once
// The bar of command buttons and the clock-period text along the bottom of the main window.

#include <QWidget>

#include <map>

class QLabel;
class QLineEdit;

namespace veldran {

class CommandRouter;

class OptionBar : public QWidget {
    Q_OBJECT
public:
    OptionBar(CommandRouter& router, QWidget* parent);

    [[nodiscard]] QWidget* Control(int id) const;
    [[nodiscard]] QLineEdit* ClockPeriodEdit() const { return m_clockPeriod; }
    // The template's size in pixels for the bar's font.
    [[nodiscard]] QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The maker's name stands at its template place, moved left as far as needed (but not over
    // the clock period) when the bar is too narrow to show it whole there.
    void PlaceMakerLabel();

    std::map<int, QWidget*> m_controls;
    QLineEdit* m_clockPeriod = nullptr;
    QLabel* m_maker = nullptr;
    QRect m_makerTemplate;
};

} // namespace veldran
