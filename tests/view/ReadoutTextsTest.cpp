// The texts a readout is measured for: for the capture and clock period shown, the widest text
// each readout can be asked to show is among them.

#include "link/ClockPeriods.h"
#include "view/ReadoutTexts.h"

#include <QTest>

#include <map>
#include <utility>

using namespace veldran;

namespace {

// A distance text by what decides its width when every digit may stand in any digit's place: its
// sign and unit, and its length.
using Kind = std::pair<bool, QString>; // negative, unit

Kind KindOf(const QString& text)
{
    int end = static_cast<int>(text.size());
    while (end > 0 && text.at(end - 1).isLetter())
        --end;
    return {text.startsWith(QLatin1Char('-')), text.mid(end)};
}

// The longest text of each kind.
std::map<Kind, qsizetype> LongestByKind(const QStringList& texts)
{
    std::map<Kind, qsizetype> longest;
    for (const QString& text : texts) {
        qsizetype& length = longest[KindOf(text)];
        length = std::max(length, text.size());
    }
    return longest;
}

} // namespace

class ReadoutTextsTest : public QObject {
    Q_OBJECT

private slots:
    void distanceTextsMeetEveryDistance_data()
    {
        QTest::addColumn<int>("lastIndex");
        for (const int last : {0, 1, 9, 24, 25, 26, 99, 100, 101, 499, 5000, 12000})
            QTest::addRow("last sample %d", last) << last;
    }
    void distanceTextsMeetEveryDistance()
    {
        QFETCH(int, lastIndex);
        for (int row = 0; row < ClockPeriodCount(); ++row) {
            const double period = ClockPeriodSeconds(row).value_or(1.0);
            // Every distance the cursors can make in this capture, against the measured texts.
            QStringList shown;
            for (int d = -lastIndex; d <= lastIndex; ++d)
                shown << DistanceText(d, period);
            const std::map<Kind, qsizetype> needed = LongestByKind(shown);
            const std::map<Kind, qsizetype> measured = LongestByKind(DistanceTextsToFit(lastIndex, period));
            for (const auto& [kind, length] : needed) {
                const QString what = QStringLiteral("period %1 s, %2%3 texts of %4 characters")
                                         .arg(period).arg(kind.first ? QStringLiteral("negative ") : QString())
                                         .arg(kind.second.isEmpty() ? QStringLiteral("unitless") : kind.second)
                                         .arg(length);
                const auto found = measured.find(kind);
                QVERIFY2(found != measured.end(), qPrintable(what + " not measured"));
                QVERIFY2(found->second >= length, qPrintable(what + " measured shorter"));
            }
            // Nothing is measured that the capture cannot show.
            for (const QString& text : DistanceTextsToFit(lastIndex, period))
                QVERIFY2(shown.contains(text), qPrintable(text));
        }
    }

    void numbersFollowTheLastSample_data()
    {
        QTest::addColumn<int>("lastIndex");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("counter");
        QTest::newRow("empty") << 0 << "0" << "(0000/0000)";
        QTest::newRow("four digits") << 4999 << "4999" << "(4999/4999)";
        QTest::newRow("six digits") << 199999 << "199999" << "(199999/199999)";
    }
    void numbersFollowTheLastSample()
    {
        QFETCH(int, lastIndex);
        QFETCH(QString, value);
        QFETCH(QString, counter);
        QCOMPARE(CursorValueTextsToFit(lastIndex), QStringList{value});
        QCOMPARE(PositionTextsToFit(lastIndex), QStringList{counter});
        // Both labels, and the Y label in either form.
        const QStringList labels = CursorLabelTextsToFit(lastIndex);
        for (const QString& label : {XCursorText(lastIndex), YCursorText(0, lastIndex), YCursorText(lastIndex, lastIndex)})
            QVERIFY2(labels.contains(label), qPrintable(label));
    }
};

QTEST_GUILESS_MAIN(ReadoutTextsTest)
#include "ReadoutTextsTest.moc"
