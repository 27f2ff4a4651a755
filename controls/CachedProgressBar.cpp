#include "controls/CachedProgressBar.h"

#include <QEvent>
#include <QPainter>
#include <QStyleOptionProgressBar>
#include <QStylePainter>

namespace veldran {
namespace {

// Far more pictures than the bar has positions; the oldest state is not worth tracking.
constexpr int kMaxPictures = 256;

// Everything of the style option that the picture depends on.
QString PictureKey(const QStyleOptionProgressBar& option, qreal dpr)
{
    return QStringLiteral("%1/%2/%3/%4/%5x%6/%7/%8/%9/%10/")
               .arg(option.progress)
               .arg(option.minimum)
               .arg(option.maximum)
               .arg(static_cast<int>(option.state))
               .arg(option.rect.width())
               .arg(option.rect.height())
               .arg(option.palette.cacheKey())
               .arg(dpr)
               .arg(static_cast<int>(option.textAlignment))
               .arg(int(option.invertedAppearance) | int(option.bottomToTop) << 1 | int(option.textVisible) << 2)
        + option.text;
}

} // namespace

void CachedProgressBar::paintEvent(QPaintEvent* event)
{
    // The style's edges are smoothed against what lies beneath, so a picture is drawn on the
    // background the bar stands on; only a plain one can be kept. A busy bar (no range) is
    // animated by the style. Either is drawn afresh every time.
    const QWidget* under = parentWidget() ? parentWidget() : this;
    const QBrush background = under->palette().brush(under->backgroundRole());
    if (minimum() == maximum() || background.style() != Qt::SolidPattern || !background.isOpaque()) {
        QProgressBar::paintEvent(event);
        return;
    }
    QStyleOptionProgressBar option;
    initStyleOption(&option);
    const qreal dpr = devicePixelRatioF();
    const QString key = PictureKey(option, dpr) + QLatin1Char('/') + QString::number(quint64(background.color().rgba64()));
    auto kept = m_pictures.constFind(key);
    if (kept == m_pictures.constEnd()) {
        if (m_pictures.size() >= kMaxPictures)
            m_pictures.clear();
        QPixmap picture(option.rect.size() * dpr);
        picture.setDevicePixelRatio(dpr);
        picture.fill(background.color());
        {
            QStylePainter painter(&picture, this);
            painter.drawControl(QStyle::CE_ProgressBar, option);
        }
        kept = m_pictures.insert(key, picture);
    }
    QPainter painter(this);
    painter.drawPixmap(0, 0, *kept);
}

void CachedProgressBar::changeEvent(QEvent* event)
{
    // Another style, font or language can change the pictures in ways the option does not show.
    switch (event->type()) {
    case QEvent::StyleChange:
    case QEvent::FontChange:
    case QEvent::LanguageChange:
    case QEvent::LayoutDirectionChange:
        m_pictures.clear();
        break;
    default:
        break;
    }
    QProgressBar::changeEvent(event);
}

void CachedProgressBar::resizeEvent(QResizeEvent* event)
{
    m_pictures.clear();
    QProgressBar::resizeEvent(event);
}

} // namespace veldran
