#pragma once
// The size of a picture of the view: its width and height, each from kPictureMinSide to
// kPictureMaxSide (pixels for SVG and PNG, points for PDF).

#include <QDialog>
#include <QSize>

#include <optional>

class QSpinBox;

namespace veldran {

class PictureSizeDialog : public QDialog {
    Q_OBJECT
public:
    PictureSizeDialog(QSize proposed, QWidget* parent = nullptr);

    [[nodiscard]] QSize Size() const;
    [[nodiscard]] QSpinBox* WidthBox() const { return m_width; }
    [[nodiscard]] QSpinBox* HeightBox() const { return m_height; }

    // The size chosen, or nothing when the user cancelled.
    [[nodiscard]] static std::optional<QSize> Ask(QSize proposed, QWidget* parent);

private:
    QSpinBox* m_width = nullptr;
    QSpinBox* m_height = nullptr;
};

} // namespace veldran
