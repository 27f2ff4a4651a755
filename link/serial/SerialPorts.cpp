#include "link/serial/SerialPorts.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include <dirent.h>
#include <fcntl.h>
#include <grp.h>
#include <linux/serial.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace veldran {

namespace {

// The names in folder that start with prefix and go on with digits only, by number.
std::vector<std::string> NumberedNames(const std::string& folder, const std::string& prefix)
{
    std::vector<std::pair<long, std::string>> found;
    if (DIR* dir = opendir(folder.c_str())) {
        while (const dirent* entry = readdir(dir)) {
            const std::string name = entry->d_name;
            if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0)
                continue;
            const std::string digits = name.substr(prefix.size());
            if (digits.find_first_not_of("0123456789") != std::string::npos || digits.size() > 6)
                continue;
            found.emplace_back(std::strtol(digits.c_str(), nullptr, 10), name);
        }
        closedir(dir);
    }
    std::sort(found.begin(), found.end());
    std::vector<std::string> names;
    for (auto& entry : found)
        names.push_back(std::move(entry.second));
    return names;
}

// The kernel makes a ttyS node for every port it might have; only those with a UART type other
// than "unknown" (0) lead anywhere. The class folder tells without opening the device; a system
// without it is asked through the device itself.
bool HasUart(const SDeviceRoots& roots, const std::string& name)
{
    std::ifstream type(roots.strSysTty + "/" + name + "/type");
    int nType = 0;
    if (type >> nType)
        return nType != PORT_UNKNOWN;
    const int fd = open((roots.strDev + "/" + name).c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == EACCES; // cannot tell: show it, with the reason it cannot be opened
    serial_struct info{};
    const bool bKnown = ioctl(fd, TIOCGSERIAL, &info) == 0 && info.type != PORT_UNKNOWN;
    close(fd);
    return bKnown;
}

SSerialPort Describe(const std::string& path, const std::string& target)
{
    SSerialPort port;
    port.strPath = path;
    port.strTarget = target;
    port.bCanOpen = access(path.c_str(), R_OK | W_OK) == 0;
    port.nAccessError = port.bCanOpen ? 0 : errno;
    port.strGroup = OwningGroup(path);
    return port;
}

} // namespace

std::string OwningGroup(const std::string& path)
{
    struct stat st {};
    if (stat(path.c_str(), &st) != 0)
        return {};
    group entry{};
    group* pFound = nullptr;
    std::vector<char> buffer(16384);
    if (getgrgid_r(st.st_gid, &entry, buffer.data(), buffer.size(), &pFound) != 0 || !pFound)
        return std::to_string(st.st_gid);
    return pFound->gr_name;
}

bool ProcessInGroup(const std::string& groupName)
{
    group entry{};
    group* pFound = nullptr;
    std::vector<char> buffer(16384);
    if (getgrnam_r(groupName.c_str(), &entry, buffer.data(), buffer.size(), &pFound) != 0 || !pFound)
        return false;
    if (getegid() == pFound->gr_gid)
        return true;
    const int nGroups = getgroups(0, nullptr);
    if (nGroups <= 0)
        return false;
    std::vector<gid_t> groups(static_cast<size_t>(nGroups));
    const int nRead = getgroups(nGroups, groups.data());
    return nRead > 0 && std::find(groups.begin(), groups.begin() + nRead, pFound->gr_gid) != groups.begin() + nRead;
}

std::vector<SSerialPort> ListSerialPorts(const SDeviceRoots& roots)
{
    std::vector<SSerialPort> ports;
    for (const std::string& name : NumberedNames(roots.strDev, "ttyS"))
        if (HasUart(roots, name))
            ports.push_back(Describe(roots.strDev + "/" + name, {}));
    for (const char* pszPrefix : {"ttyUSB", "ttyACM"})
        for (const std::string& name : NumberedNames(roots.strDev, pszPrefix))
            ports.push_back(Describe(roots.strDev + "/" + name, {}));

    const std::string byId = roots.strDev + "/serial/by-id";
    std::vector<std::string> links;
    if (DIR* dir = opendir(byId.c_str())) {
        while (const dirent* entry = readdir(dir))
            if (entry->d_name[0] != '.')
                links.emplace_back(entry->d_name);
        closedir(dir);
    }
    std::sort(links.begin(), links.end());
    for (const std::string& name : links) {
        const std::string path = byId + "/" + name;
        char* pszTarget = realpath(path.c_str(), nullptr);
        if (!pszTarget)
            continue; // a link left behind by an adapter that is gone
        ports.push_back(Describe(path, pszTarget));
        std::free(pszTarget);
    }
    return ports;
}

} // namespace veldran
