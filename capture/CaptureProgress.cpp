#include "capture/CaptureProgress.h"

namespace veldran {

namespace {

constexpr int kBarCells = 24;
constexpr auto kRedrawEvery = std::chrono::milliseconds(100);

} // namespace

void CCaptureProgress::Waiting(const std::string& device, int nBaud)
{
    if (m_style == EProgressStyle::None)
        return;
    std::fprintf(m_pOut, "waiting for STATE on %s (%d baud, 8N1)\n", device.c_str(), nBaud);
    std::fflush(m_pOut);
}

void CCaptureProgress::Receiving(int nLines, uint64_t nBytes)
{
    if (m_style == EProgressStyle::Lines && !m_bStarted) {
        std::fprintf(m_pOut, "receiving\n");
        std::fflush(m_pOut);
    }
    m_bStarted = true;
    if (m_style != EProgressStyle::Bar)
        return;
    const auto now = std::chrono::steady_clock::now();
    if (m_bBarShown && now - m_lastDraw < kRedrawEvery)
        return;
    m_lastDraw = now;
    DrawBar(nLines, nBytes);
}

void CCaptureProgress::Received(int nLines, uint64_t nBytes)
{
    if (m_style == EProgressStyle::None)
        return;
    if (m_style == EProgressStyle::Bar && m_bStarted)
        DrawBar(nLines, nBytes);
    EndBar();
    std::fprintf(m_pOut, "received %d lines, %llu bytes\n", nLines, static_cast<unsigned long long>(nBytes));
    std::fflush(m_pOut);
}

void CCaptureProgress::Wrote(const std::string& path, int nSamples)
{
    if (m_style == EProgressStyle::None)
        return;
    EndBar();
    std::fprintf(m_pOut, "wrote %d samples to %s\n", nSamples, path.c_str());
    std::fflush(m_pOut);
}

// The listing does not say how long it is, so the bar moves one cell per redraw and starts over,
// as the window's bar does; the figures beside it are what counts.
void CCaptureProgress::DrawBar(int nLines, uint64_t nBytes)
{
    const int nFilled = m_nSteps++ % (kBarCells + 1);
    char szBar[kBarCells + 1];
    for (int i = 0; i < kBarCells; ++i)
        szBar[i] = i < nFilled ? '#' : '.';
    szBar[kBarCells] = '\0';
    std::fprintf(m_pOut, "\r[%s] %d lines  %llu bytes\x1b[K", szBar, nLines, static_cast<unsigned long long>(nBytes));
    std::fflush(m_pOut);
    m_bBarShown = true;
}

void CCaptureProgress::EndBar()
{
    if (!m_bBarShown)
        return;
    std::fputc('\n', m_pOut);
    m_bBarShown = false;
}

} // namespace veldran
