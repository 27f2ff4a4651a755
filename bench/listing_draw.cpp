// One screenful of the state listing over a 1,000,000-sample capture: the listing panel at
// 1200 × 800 with the time column and two buses (an 8-bit one in hex, a 16-bit one in signed
// decimal), moved to 20 places spread over the capture by the X cursor, as the user moves it, and
// drawn whole into an image. Each place is timed from the cursor's move to the last pixel; the
// floor is the same screenful of a 1,000-sample capture, timed in turn with it. Prints medians.
//
//   listing_draw [--runs R]    R rounds of the 20 places (3)

#include "tests/common/ListingBuilder.h"
#include "tests/common/Median.h"
#include "view/StateListingPanel.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QPixmap>
#include <QTableView>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace {

using veldran::test::Median;

using namespace veldran;

constexpr int kLarge = 1000000;
constexpr int kSmall = 1000;
constexpr int kPlaces = 20;

// Every channel toggles at its own rate, so the values change from row to row.
int Level(int sample, int channel)
{
    return (sample >> (channel % 12)) & 1;
}

struct Listing {
    CCaptureSession session;
    std::unique_ptr<StateListingPanel> panel;

    explicit Listing(int count)
    {
        test::Load(session.Document(), test::DataTokens(test::CellsOf(count, Level)));
        session.OpenCapture();
        session.SetClockPeriod(3, 40e-9);
        Bus data{"DATA", {7, 6, 5, 4, 3, 2, 1, 0}, ERadix::Hex};
        Bus address{"ADDRESS", {}, ERadix::Signed};
        for (int channel = 31; channel >= 16; --channel)
            address.channels.push_back(channel);
        session.SetBuses({data, address});
        panel = std::make_unique<StateListingPanel>(session);
        panel->resize(1200, 800);
        panel->show();
        QCoreApplication::processEvents();
    }

    // Moves X to the place and draws the screenful; the milliseconds it took.
    double Draw(int sample)
    {
        QElapsedTimer timer;
        timer.start();
        session.SetCursors(sample, session.YCursor());
        const QPixmap picture = panel->grab();
        const double ms = double(timer.nsecsElapsed()) / 1e6;
        // A figure counts only if the screenful drawn is the one around X.
        const QTableView& table = *panel->Table();
        if (picture.isNull() || table.rowAt(0) > sample || table.rowAt(table.viewport()->height() - 1) < sample)
            std::printf("sample %d was not drawn\n", sample);
        return ms;
    }
};

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    int runs = 3;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--runs") == 0)
            runs = std::max(1, std::atoi(argv[i + 1]));

    QElapsedTimer setUp;
    setUp.start();
    Listing large(kLarge);
    std::printf("1,000,000-sample capture loaded and listed in %.0f ms (not part of the figures)\n",
                double(setUp.nsecsElapsed()) / 1e6);
    Listing small(kSmall);
    QTableView& table = *large.panel->Table();
    std::vector<double> largeTimes;
    std::vector<double> smallTimes;
    for (int run = 0; run < runs; ++run) {
        for (int place = 0; place < kPlaces; ++place) {
            // Places spread over the capture, the last near its end; the floor's in its own range.
            const int sample = static_cast<int>((int64_t{place} * 2 + 1) * (kLarge - 1) / (kPlaces * 2));
            const int floorSample = static_cast<int>((int64_t{place} * 2 + 1) * (kSmall - 1) / (kPlaces * 2));
            if ((place + run) % 2 == 0) {
                largeTimes.push_back(large.Draw(sample));
                smallTimes.push_back(small.Draw(floorSample));
            } else {
                smallTimes.push_back(small.Draw(floorSample));
                largeTimes.push_back(large.Draw(sample));
            }
        }
    }
    const int rowsShown = table.viewport()->height() / table.verticalHeader()->defaultSectionSize();
    std::printf("listing 1200x800, %d rows a screenful, %d columns, %zu screenfuls\n", rowsShown,
                table.model()->columnCount(), largeTimes.size());
    std::printf("1,000,000 samples: median %.2f ms per screenful (max %.2f)\n", Median(largeTimes),
                *std::max_element(largeTimes.begin(), largeTimes.end()));
    std::printf("1,000 samples (floor): median %.2f ms per screenful (max %.2f)\n", Median(smallTimes),
                *std::max_element(smallTimes.begin(), smallTimes.end()));
    return 0;
}
