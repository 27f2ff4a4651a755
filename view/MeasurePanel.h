#pragma once
// The measurements panel, docked beside the form: the pulse at the X cursor on the selected
// channel (level, width, period, frequency, duty) and what lies between the X and Y cursors (their
// distance as a time and in samples, its inverse, the channel's edges in between). It follows the
// session's signals and is empty while no capture is shown.

#include "session/CaptureSession.h"

#include <QDockWidget>

#include <array>

class QLabel;

namespace veldran {

class MeasurePanel : public QDockWidget {
    Q_OBJECT
public:
    enum class ERow { Channel, Level, Width, Period, Frequency, Duty, Delta, Inverse, Rising, Falling, Edges, Count };

    explicit MeasurePanel(CCaptureSession& session, QWidget* parent = nullptr);

    // What a row shows: its value (or time), and its samples where it has them.
    [[nodiscard]] QString Value(ERow row) const;
    [[nodiscard]] QString Samples(ERow row) const;

protected:
    void changeEvent(QEvent* event) override;

private:
    struct Row {
        QLabel* caption = nullptr;
        QLabel* value = nullptr;
        QLabel* samples = nullptr;
    };
    static constexpr size_t kRows = static_cast<size_t>(ERow::Count);

    void Refresh();
    void Clear();
    void Show(ERow row, const std::string& value, const std::string& samples = {});
    void Retranslate();
    [[nodiscard]] const Row& At(ERow row) const { return m_rows[static_cast<size_t>(row)]; }

    CCaptureSession& m_session;
    std::array<Row, kRows> m_rows{};
    QLabel* m_atX = nullptr;
    QLabel* m_between = nullptr;
    std::array<QLabel*, 2> m_sampleHeads{};
};

} // namespace veldran
