#pragma once
// The serial devices this machine has, as a user looking for the instrument's cable needs them:
// built-in ports that have a UART behind them, USB adapters, and the stable names under
// /dev/serial/by-id/, each with whether this user may open it.

#include <string>
#include <vector>

namespace veldran {

// Where the device nodes, the tty classes and the processes are found; tests point these at a
// folder of their own.
struct SDeviceRoots {
    std::string strDev = "/dev";
    std::string strSysTty = "/sys/class/tty";
    std::string strProc = "/proc";
};

struct SSerialPort {
    std::string strPath;   // what to give --port or VELDRAN_COMn
    std::string strTarget; // for a /dev/serial/by-id/ name: the device it stands for
    bool bCanOpen = false; // this user may read and write it
    int nAccessError = 0;  // why not (errno), 0 when it can be opened
    std::string strGroup;  // the group that owns the device node (empty when unknown)
};

// /dev/ttyS* whose UART type is known (sysfs "type", else TIOCGSERIAL), /dev/ttyUSB*,
// /dev/ttyACM* in numeric order, then the /dev/serial/by-id/ links in name order.
[[nodiscard]] std::vector<SSerialPort> ListSerialPorts(const SDeviceRoots& roots = {});

// The name of the group that owns path ("" when it cannot be told).
[[nodiscard]] std::string OwningGroup(const std::string& path);

// Whether the calling process is a member of the named group (primary or supplementary).
[[nodiscard]] bool ProcessInGroup(const std::string& group);

} // namespace veldran
