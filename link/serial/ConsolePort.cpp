#include "link/serial/ConsolePort.h"

#include <fstream>

#include <sys/stat.h>

namespace veldran {

bool IsKernelConsole(const std::string& device, const SDeviceRoots& roots)
{
    std::ifstream active(roots.strSysTty + "/console/active");
    struct stat node {};
    const bool bDevice = stat(device.c_str(), &node) == 0 && S_ISCHR(node.st_mode);
    std::string name;
    while (active >> name) {
        const std::string path = roots.strDev + "/" + name;
        if (path == device)
            return true;
        struct stat console {};
        if (bDevice && stat(path.c_str(), &console) == 0 && S_ISCHR(console.st_mode)
            && console.st_rdev == node.st_rdev)
            return true;
    }
    return false;
}

} // namespace veldran
