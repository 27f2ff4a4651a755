#include "view/ReadoutTexts.h"

#include "resources/Strings.h"
#include "session/ZoomWindow.h"

#include <cmath>

namespace veldran {

QString WindowText(int window)
{
    return QStringLiteral("WINDOW : %1").arg(window);
}

QString PositionText(int index, int lastIndex)
{
    return QString::asprintf("(%04d/%04d)", index, lastIndex);
}

QString XCursorText(int x)
{
    return QString::asprintf("X= %04d", x);
}

QString YCursorText(int x, int y)
{
    return x == y ? QString::asprintf("XY=%04d", y) : QString::asprintf("Y= %04d", y);
}

QString DistanceText(double xMinusY, double clockPeriod)
{
    // The difference is taken before truncating: X 4.25 and Y 12 are 7.75 samples apart, so 7.
    const double d = std::trunc(xMinusY);
    const double t = d * clockPeriod;
    double value = t;
    const char* unit = "";
    if (t * 1000.0 >= 0.001 && t * 1000.0 < 10.0) {
        value = t * 1000.0;
        unit = "ms";
    } else if (t * 1000000.0 < 10.0) {
        value = t * 1000000.0;
        unit = "us";
    } else if (clockPeriod != 1.0) {
        unit = "s";
    }
    return QString::asprintf("%6.4f%s", value, unit);
}

QStringList CursorValueTextsToFit(int lastIndex)
{
    return {QString::number(lastIndex)};
}

QStringList CursorLabelTextsToFit(int lastIndex)
{
    return {XCursorText(lastIndex), YCursorText(lastIndex, lastIndex), YCursorText(0, lastIndex)};
}

QStringList PositionTextsToFit(int lastIndex)
{
    return {PositionText(lastIndex, lastIndex)};
}

QStringList DistanceTextsToFit(int lastIndex, double clockPeriod)
{
    // X − Y is a whole number of samples d with |d| <= lastIndex. Every negative difference reads
    // in us, widest at −lastIndex. The positive ones fall into runs by unit (us below 1 us, ms
    // below 10 ms, then s, or no unit when the clock is OFF); within a run the text grows with d,
    // so each run is widest at its last sample: lastIndex, or the sample next to the time where
    // the unit changes (taken with its neighbours, as the product may round either way there).
    QStringList texts{DistanceText(0, clockPeriod)};
    const auto add = [&texts, lastIndex, clockPeriod](double d) {
        if (d >= 1.0 && d <= lastIndex)
            texts << DistanceText(d, clockPeriod) << DistanceText(-d, clockPeriod);
    };
    add(lastIndex);
    for (const double unitChange : {0.000001, 0.01}) {
        const double edge = std::floor(unitChange / clockPeriod);
        for (const double d : {edge - 1.0, edge, edge + 1.0})
            add(d);
    }
    texts.removeDuplicates();
    return texts;
}

QStringList WindowTextsToFit()
{
    QStringList texts;
    int smallest = 16;
    while (ExpandedWindow(smallest) != 0)
        smallest = ExpandedWindow(smallest);
    for (int window = smallest; window != 0; window = ContractedWindow(window))
        texts << WindowText(window);
    return texts;
}

QStringList ValueTextsToFit()
{
    const QString word(16, QLatin1Char('1'));
    return {QStringLiteral("%1  %2  %3").arg(word, word, word), QString::fromUtf8(text::kNoData),
            QString::fromUtf8(text::kInvalidData), QString::fromUtf8(text::kDataInTransfer) + QStringLiteral("9999")};
}

} // namespace veldran
