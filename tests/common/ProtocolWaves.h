#pragma once
// Generated serial and parallel bus traffic as capture cells, for the decoding tests and the
// benchmark: UART frames (any baud, parity none/even/odd), SPI words (mode 0..3, any word size,
// MSB first), I2C transfers (start, address, data, ACK or NAK, stop) and a clocked parallel bus.
// Each sample is one clock period of a state capture; bit c of a word is channel c.

#include "tests/common/ListingBuilder.h"

#include <cmath>
#include <cstdint>
#include <vector>

namespace veldran::test {

class CWaves {
public:
    // Channels high at the start: the idle level of the lines.
    explicit CWaves(uint64_t idleHigh = 0) : m_nLevels(idleHigh) {}

    void Set(int channel, int level)
    {
        m_nLevels = level ? m_nLevels | (1ULL << channel) : m_nLevels & ~(1ULL << channel);
    }
    void Hold(int64_t samples)
    {
        for (int64_t i = 0; i < samples; ++i)
            m_words.push_back(m_nLevels);
    }
    // Holds the present levels up to (not including) sample `end`.
    void HoldUntil(int64_t end) { Hold(end - Count()); }
    [[nodiscard]] int64_t Count() const { return static_cast<int64_t>(m_words.size()); }

    [[nodiscard]] std::vector<Cells> CellsOf() const
    {
        std::vector<Cells> cells;
        cells.reserve(m_words.size());
        for (const uint64_t word : m_words)
            cells.push_back({static_cast<unsigned>(word & 0xFFFF), static_cast<unsigned>((word >> 16) & 0xFFFF),
                             static_cast<unsigned>((word >> 32) & 0xFFFF)});
        return cells;
    }

    // The samples as a document stores them: 48 levels (0 or 1) per sample.
    [[nodiscard]] std::vector<uint8_t> Levels() const
    {
        std::vector<uint8_t> levels;
        levels.reserve(m_words.size() * kChannelCount);
        for (const uint64_t word : m_words)
            for (int channel = 0; channel < kChannelCount; ++channel)
                levels.push_back(static_cast<uint8_t>((word >> channel) & 1));
        return levels;
    }

private:
    uint64_t m_nLevels = 0;
    std::vector<uint64_t> m_words;
};

enum class Parity { None, Even, Odd };

// One UART frame on `channel` (idle high): start bit, 8 data bits LSB first, parity, one stop bit.
// Bit edges fall on the nearest sample of the ideal timing, as a real line sampled by a clock.
inline void AppendUartByte(CWaves& waves, int channel, uint8_t byte, double samplesPerBit, Parity parity)
{
    std::vector<int> bits{0};
    int ones = 0;
    for (int i = 0; i < 8; ++i) {
        bits.push_back((byte >> i) & 1);
        ones += (byte >> i) & 1;
    }
    if (parity != Parity::None)
        bits.push_back(parity == Parity::Even ? ones & 1 : !(ones & 1));
    bits.push_back(1);
    const int64_t start = waves.Count();
    for (size_t i = 0; i < bits.size(); ++i) {
        waves.Set(channel, bits[i]);
        waves.HoldUntil(start + std::llround(samplesPerBit * static_cast<double>(i + 1)));
    }
}

struct SpiLines {
    int nClock = 0, nMosi = 1, nMiso = 2, nSelect = 3; // select is active low
};

// One SPI word in mode 0..3, MSB first, `halfBit` samples per clock phase; select must be low.
inline void AppendSpiWord(CWaves& waves, const SpiLines& lines, int mode, int bits, uint32_t mosi, uint32_t miso, int halfBit)
{
    const int idle = mode >= 2;
    const bool shiftOnLeading = mode & 1;
    for (int i = bits - 1; i >= 0; --i) {
        if (shiftOnLeading)
            waves.Set(lines.nClock, !idle);
        waves.Set(lines.nMosi, (mosi >> i) & 1);
        waves.Set(lines.nMiso, (miso >> i) & 1);
        if (!shiftOnLeading) {
            waves.Hold(halfBit);
            waves.Set(lines.nClock, !idle);
        }
        waves.Hold(halfBit);
        waves.Set(lines.nClock, idle);
        if (shiftOnLeading)
            waves.Hold(halfBit);
    }
    waves.Hold(halfBit);
}

struct I2cLines {
    int nClock = 0, nData = 1;
};

// The lines idle high; every step lasts `quarter` samples.
class CI2cWriter {
public:
    CI2cWriter(CWaves& waves, I2cLines lines, int quarter) : m_waves(waves), m_lines(lines), m_nQuarter(quarter) {}

    void Start()
    {
        Step(m_lines.nData, 1);
        Step(m_lines.nClock, 1);
        Step(m_lines.nData, 0);
        Step(m_lines.nClock, 0);
    }
    void Bit(int level)
    {
        Step(m_lines.nData, level);
        Step(m_lines.nClock, 1);
        m_waves.Hold(m_nQuarter);
        Step(m_lines.nClock, 0);
    }
    // Eight bits MSB first, then the receiver's acknowledge (0) or not (1).
    void Byte(uint8_t byte, bool acknowledged)
    {
        for (int i = 7; i >= 0; --i)
            Bit((byte >> i) & 1);
        Bit(acknowledged ? 0 : 1);
    }
    void Stop()
    {
        Step(m_lines.nData, 0);
        Step(m_lines.nClock, 1);
        Step(m_lines.nData, 1);
        m_waves.Hold(4 * m_nQuarter);
    }

private:
    void Step(int channel, int level)
    {
        m_waves.Set(channel, level);
        m_waves.Hold(m_nQuarter);
    }

    CWaves& m_waves;
    I2cLines m_lines;
    int m_nQuarter;
};

// An 8-bit bus on channels data .. data + 7 with its clock rising once the word is set.
inline void AppendParallelWord(CWaves& waves, int clock, int data, uint8_t word, int halfBit)
{
    for (int i = 0; i < 8; ++i)
        waves.Set(data + i, (word >> i) & 1);
    waves.Set(clock, 0);
    waves.Hold(halfBit);
    waves.Set(clock, 1);
    waves.Hold(halfBit);
}

} // namespace veldran::test
