#include "view/FormWidget.h"

#include "view/VeldranView.h"

#include <QMouseEvent>
#include <QPainter>

namespace veldran {

FormWidget::FormWidget(CVELDRANView& view, QWidget* parent)
    : QWidget(parent)
    , m_view(view)
{
    setAutoFillBackground(true);
}

void FormWidget::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    m_view.PaintForm(painter);
}

void FormWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_view.OnFormResized();
}

void FormWidget::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_view.OnLButtonDown(event->position().toPoint());
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

} // namespace veldran
