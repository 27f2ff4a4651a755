#include "sim/SimLine.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace veldran::sim {

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kPollStep = std::chrono::milliseconds(20);

bool MakeRaw(int fd, speed_t speed)
{
    termios settings{};
    if (tcgetattr(fd, &settings) != 0)
        return false;
    cfmakeraw(&settings);
    settings.c_cflag &= ~(CSIZE | PARENB | CSTOPB | CRTSCTS);
    settings.c_cflag |= CS8 | CREAD | CLOCAL;
    cfsetispeed(&settings, speed);
    cfsetospeed(&settings, speed);
    return tcsetattr(fd, TCSANOW, &settings) == 0;
}

std::string Failure(const std::string& what)
{
    return what + ": " + std::strerror(errno);
}

} // namespace

CSimLine::~CSimLine()
{
    if (m_fd >= 0)
        close(m_fd);
}

bool CSimLine::OpenPseudoTerminal(std::string& error)
{
    m_fd = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    char szPath[128] = {};
    if (m_fd < 0 || grantpt(m_fd) != 0 || unlockpt(m_fd) != 0 || ptsname_r(m_fd, szPath, sizeof szPath) != 0) {
        error = Failure("cannot create a pseudo-terminal");
        return false;
    }
    m_bPseudoTerminal = true;
    m_strPath = szPath;
    // Opening and closing the slave once also makes the master report a hang-up until the
    // application opens it, which is how IsFarSideOpen sees the application.
    const int fdSlave = open(szPath, O_RDWR | O_NOCTTY | O_CLOEXEC);
    const bool bRaw = fdSlave >= 0 && MakeRaw(fdSlave, B9600);
    if (fdSlave >= 0)
        close(fdSlave);
    if (!bRaw) {
        error = Failure("cannot configure " + m_strPath);
        return false;
    }
    fcntl(m_fd, F_SETFL, fcntl(m_fd, F_GETFL) | O_NONBLOCK);
    return true;
}

bool CSimLine::OpenDevice(const std::string& path, int nBaud, std::string& error)
{
    m_strPath = path;
    m_fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
    if (m_fd < 0) {
        error = Failure("cannot open " + path);
        return false;
    }
    if (!MakeRaw(m_fd, nBaud == 1200 ? B1200 : B9600)) {
        error = Failure("cannot configure " + path);
        return false;
    }
    return true;
}

bool CSimLine::IsFarSideOpen() const
{
    if (!m_bPseudoTerminal)
        return true;
    pollfd line = {m_fd, 0, 0};
    return poll(&line, 1, 0) >= 0 && (line.revents & POLLHUP) == 0;
}

void CSimLine::WaitForFarSide() const
{
    // The kernel has no event for "the slave was opened"; a short sleep between looks is cheap.
    while (!IsFarSideOpen())
        std::this_thread::sleep_for(kPollStep);
}

bool CSimLine::WriteSome(const char* pData, std::size_t nBytes, std::size_t& nWritten, std::string& error)
{
    nWritten = 0;
    while (nWritten < nBytes) {
        if (!IsFarSideOpen()) {
            error = "the other side closed " + m_strPath + " while the listing was being sent";
            return false;
        }
        const ssize_t n = write(m_fd, pData + nWritten, nBytes - nWritten);
        if (n > 0) {
            nWritten += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) {
            error = Failure("cannot write to " + m_strPath);
            return false;
        }
        // The reader's queue is full: wait until it takes more (or closes the line).
        pollfd line = {m_fd, POLLOUT, 0};
        poll(&line, 1, static_cast<int>(kPollStep.count()));
    }
    return true;
}

bool CSimLine::Send(const std::string& bytes, int nBaud, std::string& error, bool bByteByByte)
{
    std::size_t nWritten = 0;
    if (nBaud <= 0)
        return WriteSome(bytes.data(), bytes.size(), nWritten, error);
    // A start bit, eight data bits and a stop bit per byte.
    const double dBytesPerSecond = nBaud / 10.0;
    const auto start = Clock::now();
    if (bByteByByte) {
        // Each byte at its own time, slept to (never spun for); a late byte does not push the
        // ones after it back.
        const std::chrono::duration<double> byteTime(1.0 / dBytesPerSecond);
        for (std::size_t n = 0; n < bytes.size(); ++n) {
            std::this_thread::sleep_until(start + std::chrono::duration_cast<Clock::duration>(byteTime * double(n)));
            if (!WriteSome(bytes.data() + n, 1, nWritten, error))
                return false;
        }
        return true;
    }
    // Otherwise what is due every few milliseconds.
    std::size_t nSent = 0;
    while (nSent < bytes.size()) {
        const double dElapsed = std::chrono::duration<double>(Clock::now() - start).count();
        const auto nDue = std::min(bytes.size(), static_cast<std::size_t>(dElapsed * dBytesPerSecond) + 1);
        if (nDue > nSent) {
            if (!WriteSome(bytes.data() + nSent, nDue - nSent, nWritten, error))
                return false;
            nSent = nDue;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

int CSimLine::PendingForReader() const
{
    // Only the slave knows how much it still holds; open it briefly beside the application.
    int fdPeer = ioctl(m_fd, TIOCGPTPEER, O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fdPeer < 0)
        fdPeer = open(m_strPath.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fdPeer < 0)
        return -1;
    int nPending = 0;
    if (ioctl(fdPeer, FIONREAD, &nPending) != 0)
        nPending = -1;
    close(fdPeer);
    return nPending;
}

void CSimLine::WaitDrained() const
{
    if (!m_bPseudoTerminal) {
        tcdrain(m_fd);
        return;
    }
    // When the application holds the slave exclusively and this is not root, the queue cannot be
    // seen: give the reader a generous moment instead.
    // The count covers only what the reader's line discipline holds; bytes the kernel has not yet
    // moved there are not in it, and closing now would throw them away. So the queue must be seen
    // empty twice, a poll step apart.
    const auto giveUp = Clock::now() + std::chrono::seconds(3);
    int nEmptyLooks = 0;
    while (IsFarSideOpen()) {
        const int nPending = PendingForReader();
        nEmptyLooks = nPending == 0 ? nEmptyLooks + 1 : 0;
        if (nEmptyLooks >= 2 || (nPending < 0 && Clock::now() > giveUp))
            return;
        std::this_thread::sleep_for(kPollStep);
    }
}

} // namespace veldran::sim
