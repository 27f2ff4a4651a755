#pragma once
// Why a serial device could not be opened, told so that the user knows what to do: the group to
// join when permission is denied, the variable and the devices present when the device is
// missing, and the process that holds a busy port when the system can tell.

#include "link/serial/SerialPorts.h"
#include "resources/Message.h"

#include <string>
#include <vector>

namespace veldran {

enum class EOpenFailure {
    Permission, // EACCES, EPERM
    Missing,    // ENOENT, ENODEV, ENXIO, or EIO from a ttyS node without a UART
    Busy,       // EBUSY (another terminal user), EWOULDBLOCK (another program's lock)
    NotSerial,  // ENOTTY: a file or a device that is no terminal (a regular file, /dev/null)
    Other,
};

struct SOpenFailure {
    EOpenFailure kind = EOpenFailure::Other;
    int nError = 0;
    std::string strDevice;
    std::string strSystemText;
    std::string strVariable;            // VELDRAN_COMn when the port was chosen by number
    std::string strGroup;               // Permission: the group that owns the device
    bool bInGroup = false;              // Permission: this process is a member already
    bool bGroupMayOpen = false;         // Permission: the group may read and write the device
    std::vector<std::string> available; // Missing: the devices a port listing shows
    int nHolderPid = 0;                 // Busy: the holder, 0 when the system does not tell
    std::string strHolderName;          // Busy: its command name
};

[[nodiscard]] EOpenFailure ClassifyOpenError(int nError);

// Looks at the system for the details the kind of failure needs. nPort > 0 names the variable
// VELDRAN_COM<nPort>; 0 means the device was given by name.
[[nodiscard]] SOpenFailure DiagnoseOpenFailure(const std::string& device, int nError, int nPort,
                                               const SDeviceRoots& roots = {});

// The process holding a lock on the file with this device number and inode, from the text of
// /proc/locks ("1: FLOCK  ADVISORY  WRITE 4711 00:19:12 0 EOF"); 0 when none does.
[[nodiscard]] int LockHolderFromLocks(const std::string& locksText, unsigned nMajor, unsigned nMinor,
                                      unsigned long nInode);

// The process that holds device: the one that took its lock while it still has the device open,
// else a process with an open descriptor on it (the lock's taker may have ended, or handed the
// device to a child and closed its own). Only processes this user may look into are searched; a
// lock's taker that cannot be looked into is believed. 0 when nothing tells. Pid exclude is not
// reported.
[[nodiscard]] int FindDeviceHolder(const std::string& device, const SDeviceRoots& roots = {}, int nExcludePid = 0);

// One line for the window's box, after its own text: the system's reason and what to do.
[[nodiscard]] Message OpenFailureHint(const SOpenFailure& failure);

// What to do, in English, one line ("" when there is nothing to suggest).
[[nodiscard]] std::string OpenFailureRemedy(const SOpenFailure& failure);

// The failure and what to do, in English for the command line: "cannot open <device>: <reason>"
// and the remedy on a second line; no final newline.
[[nodiscard]] std::string OpenFailureAdvice(const SOpenFailure& failure);

} // namespace veldran
