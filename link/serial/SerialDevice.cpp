#include "link/serial/SerialDevice.h"

#include "link/serial/LineDefinition.h"
#include "link/serial/SerialMessages.h"

#include <cerrno>
#include <cstdlib>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace veldran {

namespace {

int ReadTimingNonBlocking(int fd)
{
    const int nFlags = fcntl(fd, F_GETFL);
    if (nFlags < 0 || fcntl(fd, F_SETFL, nFlags | O_NONBLOCK) < 0)
        return errno;
    return 0;
}

// Writes the settings and checks that the device kept what the link needs; then RTS on.
int WriteLineSettings(int fd, const termios& wanted)
{
    if (tcsetattr(fd, TCSANOW, &wanted) != 0)
        return errno;
    termios actual{};
    if (tcgetattr(fd, &actual) != 0)
        return errno;
    if (!LineSettingsMatch(wanted, actual))
        return EINVAL;
    // A pseudo-terminal or a USB adapter without modem lines answers ENOTTY or EINVAL: such a line
    // has no RTS to hold, and the instrument does not need it there, so that is not a failure.
    int nRts = TIOCM_RTS;
    if (ioctl(fd, TIOCMBIS, &nRts) != 0 && errno != ENOTTY && errno != EINVAL)
        return errno;
    return 0;
}

} // namespace

std::string DevicePathForPort(int nPort)
{
    if (nPort <= 0)
        return {};
    const std::string strVariable = "VELDRAN_COM" + std::to_string(nPort);
    const char* pszDevice = std::getenv(strVariable.c_str());
    if (pszDevice && *pszDevice)
        return pszDevice;
    return "/dev/ttyS" + std::to_string(nPort - 1);
}

int OpenPortDevice(const std::string& path)
{
    const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return -1;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int nError = errno;
        close(fd);
        errno = nError;
        return -1;
    }
    // Not every device is a terminal; the configuration steps report that with their own name.
    (void)ioctl(fd, TIOCEXCL);
    return fd;
}

void ClosePortDevice(int fd)
{
    if (fd < 0)
        return;
    // The exclusive flag belongs to the terminal, not to this descriptor: a pseudo-terminal keeps
    // it after the close and would refuse the next open.
    (void)ioctl(fd, TIOCNXCL);
    close(fd);
}

void PurgePort(int fd)
{
    if (fd >= 0)
        (void)tcflush(fd, TCIOFLUSH);
}

SConfigFailure ConfigurePort(int fd, const std::string& lineDefinition, uint32_t nEvents, uint32_t& nPortMask)
{
    nPortMask = 0;
    if (const int nError = ReadTimingNonBlocking(fd))
        return {"SetCommTimeouts()", nError};
    if ((nEvents & ~EV_KNOWN) != 0)
        return {"SetCommMask()", EINVAL};
    nPortMask = nEvents;
    termios settings{};
    if (tcgetattr(fd, &settings) != 0)
        return {"GetCommState()", errno};
    SLineDefinition definition;
    if (const int nError = ParseLineDefinition(lineDefinition, definition))
        return {"BuildCommDCB()", nError};
    if (const int nError = ApplyLineDefinition(definition, settings))
        return {"BuildCommDCB()", nError};
    if (const int nError = WriteLineSettings(fd, settings))
        return {"SetCommState()", nError};
    return {};
}

} // namespace veldran
