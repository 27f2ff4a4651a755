#pragma once
// A pseudo-terminal that stands in for a serial port in the tests: the engine opens the slave as
// COM<n> (through VELDRAN_COM<n>), the test writes what the instrument would send into the
// master. The test keeps a slave descriptor of its own to look at the line settings and at the
// bytes still queued for the reader.

#include <QByteArray>
#include <QtGlobal>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace veldran::test {

class PseudoTerminal {
public:
    explicit PseudoTerminal(int nPort = 1) : m_strVariable("VELDRAN_COM" + std::to_string(nPort))
    {
        m_fdMaster = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        char szPath[128] = {};
        if (m_fdMaster < 0 || grantpt(m_fdMaster) != 0 || unlockpt(m_fdMaster) != 0
            || ptsname_r(m_fdMaster, szPath, sizeof szPath) != 0)
            return;
        m_strPath = szPath;
        m_fdMonitor = open(szPath, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        qputenv(m_strVariable.c_str(), QByteArray::fromStdString(m_strPath));
    }
    ~PseudoTerminal()
    {
        qunsetenv(m_strVariable.c_str());
        CloseMaster();
        if (m_fdMonitor >= 0)
            close(m_fdMonitor);
    }
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    [[nodiscard]] bool IsValid() const { return m_fdMaster >= 0 && m_fdMonitor >= 0; }
    [[nodiscard]] const std::string& Path() const { return m_strPath; }
    [[nodiscard]] int MonitorFd() const { return m_fdMonitor; }

    [[nodiscard]] bool Write(const QByteArray& bytes)
    {
        return write(m_fdMaster, bytes.constData(), size_t(bytes.size())) == bytes.size();
    }

    // Bytes waiting in the slave's input queue (not yet read by the engine).
    [[nodiscard]] int Queued() const
    {
        int nQueued = -1;
        ioctl(m_fdMonitor, FIONREAD, &nQueued);
        return nQueued;
    }

    // The kernel moves written bytes to the slave a moment later; wait (bounded) until they are there.
    [[nodiscard]] bool WaitQueued(int nBytes) const
    {
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (Queued() != nBytes) {
            if (std::chrono::steady_clock::now() > giveUp)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return true;
    }

    [[nodiscard]] termios SlaveSettings() const
    {
        termios settings{};
        tcgetattr(m_fdMonitor, &settings);
        return settings;
    }

    // Puts the line in a state the engine must change: cooked, echoing, another speed.
    void Disarrange(speed_t speed)
    {
        termios settings = SlaveSettings();
        settings.c_lflag |= ICANON | ECHO;
        settings.c_iflag |= ICRNL;
        cfsetispeed(&settings, speed);
        cfsetospeed(&settings, speed);
        tcsetattr(m_fdMonitor, TCSANOW, &settings);
    }

    // The far end goes away, as when the instrument's adapter is pulled out.
    void CloseMaster()
    {
        if (m_fdMaster >= 0)
            close(m_fdMaster);
        m_fdMaster = -1;
    }

private:
    std::string m_strVariable;
    std::string m_strPath;
    int m_fdMaster = -1;
    int m_fdMonitor = -1;
};

} // namespace veldran::test
