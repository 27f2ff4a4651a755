#include "link/serial/SerialDevice.h"

#include "link/serial/LineDefinition.h"
#include "link/serial/SerialMessages.h"

#include <cerrno>
#include <cstdlib>
#include <map>
#include <mutex>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace veldran {

namespace {

// The settings of each open port as they were before this program changed them, by descriptor.
// The engine's port and veldran-capture's both go through OpenPortDevice and ClosePortDevice.
class CSavedSettings {
public:
    void Keep(int fd, const termios& settings)
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_settings[fd] = settings;
    }
    void Restore(int fd)
    {
        std::lock_guard<std::mutex> lock(m_lock);
        const auto found = m_settings.find(fd);
        if (found == m_settings.end())
            return;
        (void)tcsetattr(fd, TCSANOW, &found->second);
        m_settings.erase(found);
    }

private:
    std::mutex m_lock;
    std::map<int, termios> m_settings;
};

CSavedSettings& SavedSettings()
{
    static CSavedSettings saved;
    return saved;
}

// The device VELDRAN_COMn names; nullptr when the variable is unset or empty.
const char* PortVariable(int nPort)
{
    if (nPort <= 0)
        return nullptr;
    const char* pszDevice = std::getenv(("VELDRAN_COM" + std::to_string(nPort)).c_str());
    return pszDevice && *pszDevice ? pszDevice : nullptr;
}

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
    if (const char* pszDevice = PortVariable(nPort))
        return pszDevice;
    return "/dev/ttyS" + std::to_string(nPort - 1);
}

bool PortNamedByVariable(int nPort)
{
    return PortVariable(nPort) != nullptr;
}

int OpenPortDevice(const std::string& path)
{
    const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return -1;
    // A file or a device without a line has no settings to read or write: not a serial port.
    termios settings{};
    const int nError = tcgetattr(fd, &settings) != 0 ? (errno == EINVAL ? ENOTTY : errno)
                       : flock(fd, LOCK_EX | LOCK_NB) != 0 ? errno
                                                          : 0;
    if (nError != 0) {
        close(fd);
        errno = nError;
        return -1;
    }
    (void)ioctl(fd, TIOCEXCL);
    SavedSettings().Keep(fd, settings);
    return fd;
}

void ClosePortDevice(int fd)
{
    if (fd < 0)
        return;
    SavedSettings().Restore(fd);
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
