#include "link/serial/LineDefinition.h"

#include <cctype>
#include <cerrno>
#include <cstdio>

namespace veldran {

namespace {

bool SpeedFor(int nBaud, speed_t& speed)
{
    switch (nBaud) {
    case 9600:
        speed = B9600;
        return true;
    case 1200:
        speed = B1200;
        return true;
    default:
        return false;
    }
}

bool SizeFor(int nDataBits, tcflag_t& size)
{
    switch (nDataBits) {
    case 5:
        size = CS5;
        return true;
    case 6:
        size = CS6;
        return true;
    case 7:
        size = CS7;
        return true;
    case 8:
        size = CS8;
        return true;
    default:
        return false;
    }
}

constexpr tcflag_t kLineFlags = CSIZE | PARENB | PARODD | CSTOPB | CREAD | CLOCAL;

} // namespace

std::string FormatLineDefinition(int nBaud, char cParity, int nDataBits, int nStopBits)
{
    char szText[96];
    std::snprintf(szText, sizeof szText, "baud=%d parity=%c data=%d stop=%d", nBaud, cParity, nDataBits, nStopBits);
    return szText;
}

int ParseLineDefinition(const std::string& text, SLineDefinition& definition)
{
    SLineDefinition parsed;
    int nUsed = -1;
    if (std::sscanf(text.c_str(), "baud=%d parity=%c data=%d stop=%d%n", &parsed.nBaud, &parsed.cParity,
                    &parsed.nDataBits, &parsed.nStopBits, &nUsed) != 4
        || nUsed != static_cast<int>(text.size()))
        return EINVAL;
    parsed.cParity = static_cast<char>(std::toupper(static_cast<unsigned char>(parsed.cParity)));
    speed_t speed = 0;
    tcflag_t size = 0;
    if (!SpeedFor(parsed.nBaud, speed) || !SizeFor(parsed.nDataBits, size))
        return EINVAL;
    if (parsed.cParity != 'N' && parsed.cParity != 'E' && parsed.cParity != 'O')
        return EINVAL;
    if (parsed.nStopBits != 1 && parsed.nStopBits != 2)
        return EINVAL;
    definition = parsed;
    return 0;
}

int ApplyLineDefinition(const SLineDefinition& definition, termios& settings)
{
    speed_t speed = 0;
    tcflag_t size = 0;
    if (!SpeedFor(definition.nBaud, speed) || !SizeFor(definition.nDataBits, size))
        return EINVAL;
    cfmakeraw(&settings);
    settings.c_cflag &= ~kLineFlags;
    settings.c_cflag |= size | CREAD | CLOCAL;
    if (definition.cParity != 'N')
        settings.c_cflag |= PARENB | (definition.cParity == 'O' ? PARODD : 0);
    if (definition.nStopBits == 2)
        settings.c_cflag |= CSTOPB;
    // One byte minimum, no timer: with a non-blocking descriptor an empty queue then reads as
    // EAGAIN, and only a line that is gone reads as end of file. (MIN 0 would read an empty queue
    // as end of file too.)
    settings.c_cc[VMIN] = 1;
    settings.c_cc[VTIME] = 0;
    if (cfsetispeed(&settings, speed) != 0 || cfsetospeed(&settings, speed) != 0)
        return EINVAL;
    return 0;
}

bool LineSettingsMatch(const termios& wanted, const termios& actual)
{
    return (wanted.c_cflag & kLineFlags) == (actual.c_cflag & kLineFlags)
        && cfgetispeed(&wanted) == cfgetispeed(&actual) && cfgetospeed(&wanted) == cfgetospeed(&actual)
        && (actual.c_lflag & (ICANON | ECHO | ISIG)) == 0;
}

} // namespace veldran
