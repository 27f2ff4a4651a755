// How fast the serial engine hands a listing to its owner at full speed: a pseudo-terminal
// stands in for the line, the bytes go in batches through the synchronous handover to a
// "user-interface" thread whose owner feeds them to the listing tokenizer, as the reception does.
// Reported against the 9600-baud line (960 bytes per second).

#include "link/ListingTokenizer.h"
#include "link/serial/SerialEngine.h"
#include "tests/common/PseudoTerminal.h"
#include "sim/ListingGenerator.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QObject>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;
constexpr double kLineBytesPerSecond = 960.0;

// Collects tokens with the listing tokenizer and remembers every byte, to prove nothing was lost.
class CTokenOwner : public veldran::SerialOwner {
public:
    long OnSerialMessage(unsigned nMessage, unsigned wParam, int) override
    {
        if (nMessage == veldran::WM_SERIAL_RXCHAR) {
            const auto byte = static_cast<unsigned char>(wParam);
            OnBytes(&byte, 1);
        }
        return 0;
    }
    void OnSerialBytes(const unsigned char* pData, std::size_t nBytes, int, const std::atomic<bool>&) override
    {
        OnBytes(pData, nBytes);
    }
    void OnSerialError(const std::string& text) override { std::fprintf(stderr, "error box: %s", text.c_str()); }

    void OnBytes(const unsigned char* pData, std::size_t nBytes)
    {
        m_strBytes.append(reinterpret_cast<const char*>(pData), nBytes);
        int nLines = 0;
        m_tokenizer.Collect(pData, nBytes, m_tokens, nLines);
        if (m_strBytes.size() == m_nExpected && m_onDone)
            m_onDone();
    }

    std::size_t m_nExpected = 0;
    std::function<void()> m_onDone;
    std::string m_strBytes;
    veldran::CListingTokenizer m_tokenizer;
    std::vector<std::string> m_tokens;
};

// A minimal user-interface loop: posted calls run on the thread that calls Run.
class CStdLoop {
public:
    veldran::UiPoster Poster()
    {
        return [this](std::function<void()> call) {
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                m_calls.push_back(std::move(call));
            }
            m_wake.notify_one();
        };
    }
    void Run()
    {
        for (;;) {
            std::function<void()> call;
            {
                std::unique_lock<std::mutex> lock(m_mutex);
                m_wake.wait(lock, [&] { return m_bQuit || !m_calls.empty(); });
                if (m_calls.empty())
                    return;
                call = std::move(m_calls.front());
                m_calls.pop_front();
            }
            call();
        }
    }
    void Quit()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_bQuit = true;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::function<void()>> m_calls;
    bool m_bQuit = false;
};

// Runs one transfer; runLoop drives the user-interface side until the owner has every byte.
template <typename RunLoop>
bool Measure(const char* pszName, veldran::UiPoster poster, RunLoop runLoop, std::function<void()> quit,
             const std::string& listing, std::size_t nExpectedTokens)
{
    veldran::test::PseudoTerminal line(1);
    if (!line.IsValid())
        return false;
    CTokenOwner owner;
    owner.m_nExpected = listing.size();
    owner.m_onDone = quit;
    veldran::CSerialEngine engine(std::move(poster));
    if (engine.Open(&owner, 1, 9600, 'N', 8, 1, veldran::EV_VIEW_MASK) != 1 || engine.StartWorker() != 1)
        return false;
    while (!engine.IsRunning())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));

    const auto start = Clock::now();
    std::thread writer([&] { (void)line.Write(listing); });
    runLoop();
    const double dSeconds = std::chrono::duration<double>(Clock::now() - start).count();
    writer.join();
    engine.Stop();

    const bool bIntact = owner.m_strBytes == listing && owner.m_tokens.size() == nExpectedTokens;
    const double dRate = listing.size() / dSeconds;
    std::printf("%-22s %8zu bytes in %6.3f s: %9.0f bytes/s = %6.1f x the 9600-baud line%s\n", pszName,
                listing.size(), dSeconds, dRate, dRate / kLineBytesPerSecond, bIntact ? "" : "  BYTES LOST");
    return bIntact;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int nLines = argc > 1 ? std::atoi(argv[1]) : 5000;
    const std::string listing = veldran::sim::GenerateListing({nLines, veldran::sim::EPattern::Random, 1});
    const std::size_t nTokens = 12 + 4 * static_cast<std::size_t>(std::max(nLines, 0));
    std::printf("serial_throughput: %d listing lines, one synchronous handover per batch\n", nLines);

    CStdLoop stdLoop;
    bool bOk = Measure("std event loop", stdLoop.Poster(), [&] { stdLoop.Run(); }, [&] { stdLoop.Quit(); },
                       listing, nTokens);

    QObject context;
    veldran::UiPoster qtPoster = [&context](std::function<void()> call) {
        QMetaObject::invokeMethod(&context, std::move(call), Qt::QueuedConnection);
    };
    bOk = Measure("Qt event loop", qtPoster, [&] { app.exec(); }, [&] { app.quit(); }, listing, nTokens) && bOk;
    return bOk ? 0 : 1;
}
