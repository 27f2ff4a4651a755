#pragma once
// The content of the view's scroll area: the form that holds the controls. It hands its paint,
// resize and mouse events to the view, which owns the form's behaviour.

#include <QWidget>

namespace veldran {

class CVELDRANView;

class FormWidget : public QWidget {
    Q_OBJECT
public:
    FormWidget(CVELDRANView& view, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    CVELDRANView& m_view;
};

} // namespace veldran
