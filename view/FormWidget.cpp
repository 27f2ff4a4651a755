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
    m_view.FitReadouts(true);
}

// Another font or other texts: the readouts are measured again once every control has taken the
// change (a retranslation runs in the same round of events), so the row fits the new texts.
void FormWidget::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::LanguageChange)
        QMetaObject::invokeMethod(this, [this] { m_view.FitReadouts(true); }, Qt::QueuedConnection);
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
