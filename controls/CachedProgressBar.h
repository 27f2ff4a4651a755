#pragma once
// A progress bar that draws each of its pictures once. The style draws the bar for a value, state
// and size into a picture kept for the next time the bar shows the same; a bar that only cycles
// through a few values, like the transfer dialog's, then costs a copy per refresh instead of a
// styled redraw, which is the most expensive thing a reception at the line rate does.

#include <QHash>
#include <QPixmap>
#include <QProgressBar>

namespace veldran {

class CachedProgressBar : public QProgressBar {
public:
    using QProgressBar::QProgressBar;

    // How many pictures the bar keeps now (tests).
    [[nodiscard]] int KeptPictures() const { return static_cast<int>(m_pictures.size()); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QHash<QString, QPixmap> m_pictures;
};

} // namespace veldran
