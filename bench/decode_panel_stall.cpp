// The Decode panel decoding 1,000,000 samples carrying about 10,000 UART bytes: how long the run
// takes from Run to its table filled, and the longest the window's thread went without serving its
// event loop meanwhile (a 1 ms timer's largest gap between two ticks). Runs in a row, medians.
//
//   QT_QPA_PLATFORM=offscreen decode_panel_stall [RUNS]    (RUNS: 7 unless given)

#include "decodedock/AnnotationTableModel.h"
#include "decodedock/DecodePanel.h"
#include "decodedock/DecoderSetupForm.h"
#include "tests/common/ListingBuilder.h"
#include "tests/common/ProtocolWaves.h"
#include "view/VeldranView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

using namespace veldran;

namespace {

constexpr int64_t kSamples = 1'000'000;

std::vector<test::Cells> Traffic()
{
    test::CWaves waves(1);
    waves.Hold(100);
    unsigned value = 1;
    while (waves.Count() + 200 < kSamples) {
        value = value * 1103515245u + 12345u;
        test::AppendUartByte(waves, 0, static_cast<uint8_t>(value >> 16), 9.0, test::Parity::None);
        waves.Hold(10);
    }
    waves.HoldUntil(kSamples);
    return waves.CellsOf();
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    CCaptureSession session;
    test::Load(session.Document(), test::DataTokens(Traffic()), {});
    session.OpenCapture();
    session.SetClockPeriod(1, 1e-6);
    CVELDRANView view(session);
    DecodePanel panel(session, view.Trace(0));
    view.show();
    panel.show();
    panel.Setup().SetStack({{"uart", {{"baudrate", "111111"}}, {{"rx", "D0"}}}});

    std::vector<double> totals, stalls;
    size_t annotations = 0;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer sinceTick;
        double longest = 0;
        QTimer ticker;
        ticker.setInterval(1);
        QObject::connect(&ticker, &QTimer::timeout, [&] {
            longest = std::max(longest, sinceTick.nsecsElapsed() / 1e6);
            sinceTick.restart();
        });
        QEventLoop loop;
        QObject::connect(&panel, &DecodePanel::runFinished, &loop, &QEventLoop::quit);
        QElapsedTimer total;
        total.start();
        ticker.start();
        sinceTick.start();
        if (!panel.Run()) {
            std::fprintf(stderr, "the run was refused: %s\n", qPrintable(panel.StatusText()));
            return 1;
        }
        loop.exec();
        // The table shown and the strip drawn belong to the run.
        QApplication::sendPostedEvents();
        panel.repaint();
        longest = std::max(longest, sinceTick.nsecsElapsed() / 1e6);
        totals.push_back(total.nsecsElapsed() / 1e6);
        stalls.push_back(longest);
        annotations = panel.Table().Store()->Count();
        std::printf("  run %d: %.0f ms, longest gap %.1f ms\n", run + 1, totals.back(), longest);
    }
    std::printf("decode panel, %lld samples, uart: %zu annotations\n", static_cast<long long>(kSamples), annotations);
    std::printf("  run to table filled: median %.0f ms over %d runs\n", Median(totals), runs);
    std::printf("  longest gap in the window's event loop: median %.1f ms, worst %.1f ms\n", Median(stalls),
                *std::max_element(stalls.begin(), stalls.end()));
    return 0;
}
