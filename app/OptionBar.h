#pragma once
// The bar of command buttons and the clock-period text along the bottom of the main window.

#include <QWidget>

#include <map>

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

private:
    std::map<int, QWidget*> m_controls;
    QLineEdit* m_clockPeriod = nullptr;
};

} // namespace veldran
