#pragma once
// The simulator's end of the serial line: the master side of a pseudo-terminal whose slave the
// application opens as its COM port, or a real serial device for a cable to another machine.

#include <string>

namespace veldran::sim {

class CSimLine {
public:
    CSimLine() = default;
    ~CSimLine();
    CSimLine(const CSimLine&) = delete;
    CSimLine& operator=(const CSimLine&) = delete;

    // Creates the pseudo-terminal; its slave starts raw, so bytes pass unchanged before the
    // application configures it. False with a message in error.
    [[nodiscard]] bool OpenPseudoTerminal(std::string& error);
    // Opens a serial device raw at 9600 or 1200 baud, 8N1, modem lines ignored.
    [[nodiscard]] bool OpenDevice(const std::string& path, int nBaud, std::string& error);

    // What the application opens: the slave device of the pseudo-terminal, or the device itself.
    [[nodiscard]] const std::string& GetPath() const { return m_strPath; }

    // Whether a program holds the other end open (a device counts as always open).
    [[nodiscard]] bool IsFarSideOpen() const;
    void WaitForFarSide() const;

    // Sends the bytes at nBaud (10 bits per byte; 0: as fast as the reader takes them): what is
    // due every few milliseconds, or with bByteByByte each byte on its own when it is due, as a
    // UART hands them over. Stops when the far side closes. False with a message in error.
    [[nodiscard]] bool Send(const std::string& bytes, int nBaud, std::string& error, bool bByteByByte = false);

    // Waits until the far side has read everything (or closed), so that ending the simulator does
    // not throw away bytes still queued for the reader.
    void WaitDrained() const;

private:
    [[nodiscard]] bool WriteSome(const char* pData, std::size_t nBytes, std::size_t& nWritten, std::string& error);
    [[nodiscard]] int PendingForReader() const;

    int m_fd = -1;
    bool m_bPseudoTerminal = false;
    std::string m_strPath;
};

} // namespace veldran::sim
