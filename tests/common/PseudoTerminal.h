#pragma once
// A pseudo-terminal that stands in for a serial port in the tests and the benchmarks: the engine
// opens the slave as COM<n> (through VELDRAN_COM<n>), the test writes what the instrument would
// send into the master. A slave descriptor of its own (the monitor) shows the line settings and
// the bytes still queued for the reader. Plain C++ and POSIX, no Qt, so the thread-sanitized
// serial tests and the benchmarks can use it too.

#include <chrono>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>
#include <thread>
#include <utility>

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace veldran::test {

class PseudoTerminal {
public:
    // nPort: the COM number whose variable names this line (0: none; MapPorts names it for all).
    explicit PseudoTerminal(int nPort = 1)
    {
        m_fdMaster = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        char szPath[128] = {};
        if (m_fdMaster < 0 || grantpt(m_fdMaster) != 0 || unlockpt(m_fdMaster) != 0
            || ptsname_r(m_fdMaster, szPath, sizeof szPath) != 0)
            return;
        m_strPath = szPath;
        m_fdMonitor = open(szPath, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (nPort > 0)
            MapPort(nPort);
    }
    ~PseudoTerminal()
    {
        // Back to what the variables said before, so a later open never reaches a real port.
        for (auto it = m_variables.rbegin(); it != m_variables.rend(); ++it) {
            if (it->second.has_value())
                setenv(it->first.c_str(), it->second->c_str(), 1);
            else
                unsetenv(it->first.c_str());
        }
        CloseMaster();
        CloseMonitor();
    }
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    // COM<nPort> opens this line (until the helper goes).
    void MapPort(int nPort)
    {
        const std::string variable = "VELDRAN_COM" + std::to_string(nPort);
        const char* pszBefore = getenv(variable.c_str());
        m_variables.emplace_back(variable, pszBefore ? std::optional<std::string>(pszBefore) : std::nullopt);
        setenv(variable.c_str(), m_strPath.c_str(), 1);
    }
    // COM0 … COM4 all open this line, whatever port the settings name.
    void MapPorts()
    {
        for (int n = 0; n <= 4; ++n)
            MapPort(n);
    }

    [[nodiscard]] bool IsValid() const { return m_fdMaster >= 0 && m_fdMonitor >= 0; }
    [[nodiscard]] const std::string& Path() const { return m_strPath; }
    [[nodiscard]] int MasterFd() const { return m_fdMaster; }
    [[nodiscard]] int MonitorFd() const { return m_fdMonitor; }

    // Writes all of the bytes; when the line's buffer is full, waits (bounded) for the reader.
    [[nodiscard]] bool Write(const char* pData, std::size_t nBytes)
    {
        std::size_t nDone = 0;
        while (nDone < nBytes && m_fdMaster >= 0) {
            const ssize_t n = write(m_fdMaster, pData + nDone, nBytes - nDone);
            if (n > 0) {
                nDone += static_cast<std::size_t>(n);
                continue;
            }
            pollfd out = {m_fdMaster, POLLOUT, 0};
            if (poll(&out, 1, 5000) <= 0)
                return false;
        }
        return nDone == nBytes;
    }
    [[nodiscard]] bool Write(std::string_view bytes) { return Write(bytes.data(), bytes.size()); }
    // Any other byte container with data() and size() (QByteArray).
    template <typename Bytes, typename = decltype(std::declval<const Bytes&>().data())>
    [[nodiscard]] bool Write(const Bytes& bytes)
    {
        return Write(bytes.data(), static_cast<std::size_t>(bytes.size()));
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
    // Without the monitor the slave is the reader's alone (a hang-up then reaches it at once).
    void CloseMonitor()
    {
        if (m_fdMonitor >= 0)
            close(m_fdMonitor);
        m_fdMonitor = -1;
    }

private:
    std::string m_strPath;
    // Each variable set, with the value it had before (none: it was not set).
    std::vector<std::pair<std::string, std::optional<std::string>>> m_variables;
    int m_fdMaster = -1;
    int m_fdMonitor = -1;
};

} // namespace veldran::test
