#include "view/TextRoom.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>
#include <cmath>

namespace veldran {
namespace {

// QLineEdit keeps this much space on each side of its text inside the style's contents rectangle.
constexpr int kLineEditTextMargin = 2;
// …and the caret at the end of the text takes one pixel more.
constexpr int kCaretWidth = 1;

QStyleOptionFrame LineEditOption(const QLineEdit& edit)
{
    QStyleOptionFrame option;
    option.initFrom(&edit);
    option.rect = edit.rect();
    option.lineWidth = edit.hasFrame() ? edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &edit) : 0;
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    if (edit.isReadOnly())
        option.state |= QStyle::State_ReadOnly;
    option.features = QStyleOptionFrame::None;
    return option;
}

} // namespace

int TextRoom(const QWidget& control)
{
    if (const auto* edit = qobject_cast<const QLineEdit*>(&control)) {
        const QStyleOptionFrame option = LineEditOption(*edit);
        const QRect contents = edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit);
        const QMargins margins = edit->textMargins();
        return contents.width() - margins.left() - margins.right() - 2 * kLineEditTextMargin - kCaretWidth;
    }
    if (const auto* label = qobject_cast<const QLabel*>(&control)) {
        const int indent = label->indent() > 0 ? label->indent() : 0;
        return label->contentsRect().width() - 2 * label->margin() - indent;
    }
    return control.contentsRect().width();
}

int WidestTextWidth(const QWidget& control, const QStringList& texts)
{
    const QFontMetricsF metrics(control.font());
    qreal widest = 0;
    for (const QString& text : texts) {
        for (char digit = '0'; digit <= '9'; ++digit) {
            QString tried = text;
            for (QChar& c : tried)
                if (c.isDigit())
                    c = QLatin1Char(digit);
            widest = std::max(widest, metrics.horizontalAdvance(tried));
        }
    }
    return static_cast<int>(std::ceil(widest));
}

int WidthToShow(const QWidget& control, const QStringList& texts)
{
    return control.width() - TextRoom(control) + WidestTextWidth(control, texts);
}

} // namespace veldran
