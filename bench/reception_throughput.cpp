// End-to-end reception at full speed: a listing written into a pseudo-terminal as fast as the
// line takes it, read by the serial worker, handed to the view byte by byte and collected into the
// document's token list. Prints bytes per second against the 9600-baud line (960 bytes/s) and
// checks that no byte was lost.

#include "link/SettingsFile.h"
#include "sim/ListingGenerator.h"
#include "view/VeldranView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>
#include <fcntl.h>
#include <thread>
#include <unistd.h>

int main(int argc, char** argv)
{
    if (qgetenv("QT_QPA_PLATFORM").isEmpty())
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
        std::perror("pseudo-terminal");
        return 1;
    }
    for (int n = 0; n <= 4; ++n)
        qputenv(QStringLiteral("VELDRAN_COM%1").arg(n).toLatin1(), ptsname(master));
    QApplication app(argc, argv);
    if (!veldran::WriteSettings(veldran::SettingsPath(), 0, 0, nullptr))
        return 1;

    veldran::CVELDRANDoc document;
    veldran::CVELDRANView view(document);
    view.resize(1280, 800);
    view.show();
    view.OnInitialUpdate();
    while (!view.m_serial.IsRunning())
        QCoreApplication::processEvents();
    view.OnLoad();

    veldran::sim::SListingOptions options;
    options.nLines = argc > 1 ? std::atoi(argv[1]) : 5000;
    options.pattern = veldran::sim::EPattern::Random;
    const std::string listing = veldran::sim::GenerateListing(options);
    const size_t expectedTokens = 12 + 4 * size_t(options.nLines);

    QElapsedTimer clock;
    clock.start();
    std::thread writer([&] {
        size_t done = 0;
        while (done < listing.size()) {
            const ssize_t n = ::write(master, listing.data() + done, listing.size() - done);
            if (n > 0)
                done += size_t(n);
            else
                usleep(100);
        }
    });
    double seconds = 0;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        // The last token ends with the listing's final line end; the 800 ms quiet timer is not
        // part of the transfer.
        if (document.m_pTokenList->size() >= expectedTokens || clock.elapsed() > 120000) {
            seconds = double(clock.nsecsElapsed()) / 1e9;
            QCoreApplication::quit();
        }
    });
    poll.start(1);
    app.exec();
    writer.join();

    const bool complete = document.m_pTokenList->size() == expectedTokens;
    const double rate = double(listing.size()) / seconds;
    std::printf("reception, %d lines, %zu bytes in %.3f s: %.0f bytes/s = %.1f x the 9600-baud line; %s\n",
                options.nLines, listing.size(), seconds, rate, rate / 960.0,
                complete ? "no byte lost" : "TOKENS MISSING");
    ::close(master);
    return complete ? 0 : 1;
}
