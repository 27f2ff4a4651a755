#pragma once
// What veldran-capture tells the user on standard error while it works: on a terminal one bar
// that is redrawn in place with the lines and bytes so far, elsewhere (a log, a pipe) one line
// per state; nothing at all with --quiet.

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

namespace veldran {

enum class EProgressStyle { None, Bar, Lines };

class CCaptureProgress {
public:
    CCaptureProgress(std::FILE* pOut, EProgressStyle style) : m_pOut(pOut), m_style(style) {}

    void Waiting(const std::string& device, int nBaud);
    // Called with every batch; the bar is redrawn at most ten times a second.
    void Receiving(int nLines, uint64_t nBytes);
    // The line went quiet (or the reception ended otherwise): the final figures.
    void Received(int nLines, uint64_t nBytes);
    void Wrote(const std::string& path, int nSamples);

private:
    void DrawBar(int nLines, uint64_t nBytes);
    void EndBar();

    std::FILE* m_pOut;
    EProgressStyle m_style;
    bool m_bStarted = false;
    bool m_bBarShown = false;
    int m_nSteps = 0;
    std::chrono::steady_clock::time_point m_lastDraw{};
};

} // namespace veldran
