#include "view/TextRoom.h"

#include <QFontMetricsF>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>
#include <cmath>
#include <optional>

namespace veldran {
namespace {

// QLineEdit keeps this much space on each side of its text inside the style's contents rectangle.
constexpr int kLineEditTextMargin = 2;
// …and the caret at the end of the text takes one pixel more.
constexpr int kCaretWidth = 1;
// Text shapes remembered with their widths; far more than the readouts of any capture have.
constexpr int kMaxShapesKept = 4096;

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
    // The row is measured again for every line a listing brings; the texts then keep their
    // shapes (how many digits, and where), so each shape is measured once per font.
    static QHash<QString, qreal> s_widestByShape;
    if (s_widestByShape.size() > kMaxShapesKept)
        s_widestByShape.clear();

    const QFont& font = control.font();
    const QString fontKey = font.key() + QChar(0x1F);
    std::optional<QFontMetricsF> metrics;
    qreal widest = 0;
    for (const QString& text : texts) {
        QString shape = text;
        for (QChar& c : shape)
            if (c.isDigit())
                c = QLatin1Char('0');
        const QString key = fontKey + shape;
        auto known = s_widestByShape.constFind(key);
        if (known == s_widestByShape.constEnd()) {
            if (!metrics)
                metrics.emplace(font);
            qreal shapeWidest = 0;
            for (char digit = '0'; digit <= '9'; ++digit) {
                QString tried = shape;
                for (QChar& c : tried)
                    if (c.isDigit())
                        c = QLatin1Char(digit);
                shapeWidest = std::max(shapeWidest, metrics->horizontalAdvance(tried));
            }
            known = s_widestByShape.insert(key, shapeWidest);
        }
        widest = std::max(widest, *known);
    }
    return static_cast<int>(std::ceil(widest));
}

int WidthToShow(const QWidget& control, const QStringList& texts)
{
    return control.width() - TextRoom(control) + WidestTextWidth(control, texts);
}

} // namespace veldran
