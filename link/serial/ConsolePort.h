#pragma once
// The kernel's console may run on a serial line (console=ttyS0 on a server or a board). Such a
// port is opened only when the user names its device: opening it for the instrument would take
// the line from the console.

#include "link/serial/SerialPorts.h"

#include <string>

namespace veldran {

// Whether device is a line the kernel's console writes to: a name that <strSysTty>/console/active
// lists ("tty0 ttyS0"), given as that name under roots.strDev or as a link to the same device.
[[nodiscard]] bool IsKernelConsole(const std::string& device, const SDeviceRoots& roots = {});

} // namespace veldran
