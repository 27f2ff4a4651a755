#include "controls/DialogUnits.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QString>
#include <QStringList>

#include <climits>
#include <cstdint>

namespace veldran {
namespace {

const char* const kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
constexpr int kAlphabetLength = 52;

bool IsFixedPitchFace(const QString& face)
{
    return face.endsWith(QStringLiteral("체")) || face.endsWith(QStringLiteral("Che"), Qt::CaseInsensitive);
}

// The first installed family of the candidates, or an empty string.
QString FirstInstalled(const QStringList& candidates)
{
    for (const QString& family : candidates)
        if (QFontDatabase::hasFamily(family))
            return family;
    return QString();
}

} // namespace

int MulDivRound(int a, int b, int c)
{
    if (c == 0)
        return 0;
    std::int64_t product = static_cast<std::int64_t>(a) * b;
    std::int64_t divisor = c;
    if (divisor < 0) {
        product = -product;
        divisor = -divisor;
    }
    const std::int64_t half = divisor / 2;
    const std::int64_t result = product >= 0 ? (product + half) / divisor : (product - half) / divisor;
    if (result > INT_MAX || result < INT_MIN)
        return 0;
    return static_cast<int>(result);
}

DialogBaseUnits BaseUnitsFromMetrics(int nLettersWidth, int nFontHeight)
{
    return DialogBaseUnits{(nLettersWidth + kAlphabetLength / 2) / kAlphabetLength, nFontHeight};
}

DialogBaseUnits BaseUnitsOf(const QFont& font)
{
    const QFontMetrics metrics(font);
    return BaseUnitsFromMetrics(metrics.horizontalAdvance(QLatin1String(kAlphabet)), metrics.height());
}

int DialogXToPixels(int nDluX, const DialogBaseUnits& units) { return MulDivRound(nDluX, units.nX, 4); }

int DialogYToPixels(int nDluY, const DialogBaseUnits& units) { return MulDivRound(nDluY, units.nY, 8); }

QPoint MapDialogPoint(const QPoint& dlu, const DialogBaseUnits& units)
{
    return QPoint(DialogXToPixels(dlu.x(), units), DialogYToPixels(dlu.y(), units));
}

QSize MapDialogSize(const QSize& dlu, const DialogBaseUnits& units)
{
    return QSize(DialogXToPixels(dlu.width(), units), DialogYToPixels(dlu.height(), units));
}

QRect MapDialogRect(const QRect& dlu, const DialogBaseUnits& units)
{
    return QRect(MapDialogPoint(dlu.topLeft(), units), MapDialogSize(dlu.size(), units));
}

QFont DialogFont(const char* face, int pointSize)
{
    const QString requested = QString::fromUtf8(face ? face : "");
    const bool bFixed = IsFixedPitchFace(requested);
    QString family = requested;
    if (requested.isEmpty() || !QFontDatabase::hasFamily(requested)) {
        const QString fallback = bFixed
            ? FirstInstalled({QStringLiteral("NanumGothicCoding"), QStringLiteral("Noto Sans Mono CJK KR")})
            : FirstInstalled({QStringLiteral("NanumGothic"), QStringLiteral("Noto Sans CJK KR")});
        if (!fallback.isEmpty())
            family = fallback;
    }
    QFont font(family);
    if (pointSize > 0)
        font.setPointSize(pointSize);
    if (bFixed) {
        font.setStyleHint(QFont::TypeWriter);
        font.setFixedPitch(true);
    }
    return font;
}

} // namespace veldran
