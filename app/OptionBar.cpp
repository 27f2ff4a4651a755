#include "app/OptionBar.h"

#include "app/CommandRouter.h"
#include "app/MenuTable.h"
#include "controls/DialogUnits.h"
#include "i18n/Translation.h"
#include "resources/Ids.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

#include <algorithm>

namespace veldran {
namespace {

constexpr QSize kTemplateSize(596, 29);

struct ButtonEntry {
    int id;
    const char* text;
    int x;
};

constexpr ButtonEntry kButtons[] = {
    {ids::kExpand, "EXPAND", 7},      {ids::kContract, "CONTRACT", 65}, {ids::kSelectCell, "CELL", 123},
    {ids::kLoad, "LOAD", 181},        {ids::kCaptureData, "CAPTURE", 239}, {ids::kOptions, "OPTIONS...", 297},
};

} // namespace

OptionBar::OptionBar(CommandRouter& router, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QString::number(ids::kOptionBar));
    setFont(DialogFont("굴림", 9));
    const DialogBaseUnits units = BaseUnitsOf(font());
    const auto place = [this, &units](int id, QWidget* widget, const QRect& dlu) {
        widget->setGeometry(MapDialogRect(dlu, units));
        if (id != 0) {
            widget->setObjectName(QString::number(id));
            widget->setProperty("controlId", id);
            m_controls[id] = widget;
        }
    };
    for (const ButtonEntry& entry : kButtons) {
        auto* button = new QPushButton(Tr(entry.text), this);
        button->setFocusPolicy(Qt::NoFocus);
        button->setToolTip(Tr(CommandToolTip(entry.id)));
        button->setStatusTip(Tr(CommandPrompt(entry.id)));
        QAction* action = router.Action(entry.id);
        button->setEnabled(action->isEnabled());
        connect(action, &QAction::changed, button, [button, action] { button->setEnabled(action->isEnabled()); });
        connect(button, &QPushButton::clicked, &router, [&router, id = entry.id] { router.Execute(id); });
        place(entry.id, button, QRect(entry.x, 5, 51, 18));
    }
    m_clockPeriod = new QLineEdit(this);
    m_clockPeriod->setReadOnly(true);
    m_clockPeriod->setFocusPolicy(Qt::NoFocus);
    place(ids::kClockPeriodEdit, m_clockPeriod, QRect(355, 7, 93, 14));
    m_maker = new QLabel(QStringLiteral("VELDRAN,  ORVANT System"), this);
    place(0, m_maker, QRect(462, 13, 110, 9));
    m_makerTemplate = m_maker->geometry();
    setFixedHeight(sizeHint().height());
    PlaceMakerLabel();
}

QWidget* OptionBar::Control(int id) const
{
    const auto it = m_controls.find(id);
    return it == m_controls.end() ? nullptr : it->second;
}

QSize OptionBar::sizeHint() const
{
    return MapDialogSize(kTemplateSize, BaseUnitsOf(font()));
}

void OptionBar::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    PlaceMakerLabel();
}

void OptionBar::PlaceMakerLabel()
{
    const QFontMetrics metrics(m_maker->font());
    const int textWidth = metrics.horizontalAdvance(m_maker->text()) + 2 * m_maker->margin();
    QRect rect = m_makerTemplate;
    rect.setWidth(std::max(rect.width(), textWidth));
    rect.setHeight(std::max(rect.height(), metrics.height()));
    // Lower the label no further than the bar's bottom edge.
    rect.moveTop(std::min(rect.top(), height() - rect.height()));
    const int rightmost = width() - textWidth;
    if (rect.left() > rightmost)
        rect.moveLeft(std::max(rightmost, m_clockPeriod->geometry().right() + 1));
    m_maker->setGeometry(rect);
}

void OptionBar::paintEvent(QPaintEvent* /*event*/)
{
    // A border along the top separates the bar from the view.
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawLine(0, 0, width(), 0);
}

} // namespace veldran
