#include "link/serial/OpenFailure.h"

#include "link/serial/ErrorText.h"
#include "resources/Strings.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include <dirent.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace veldran {

namespace {

bool AllDigits(const char* psz)
{
    if (!*psz)
        return false;
    for (; *psz; ++psz)
        if (*psz < '0' || *psz > '9')
            return false;
    return true;
}

std::string ReadFirstLine(const std::string& path)
{
    std::ifstream file(path);
    std::string line;
    std::getline(file, line);
    return line;
}

// Whether an open file is the device node: the same character device, or the same file.
bool SameDevice(const struct stat& file, const struct stat& node)
{
    if (S_ISCHR(node.st_mode))
        return S_ISCHR(file.st_mode) && file.st_rdev == node.st_rdev;
    return file.st_dev == node.st_dev && file.st_ino == node.st_ino;
}

enum class EHolds { Yes, No, Unknown };

// Whether process pid (a folder of procRoot) has a descriptor on the device; Unknown when its
// descriptors cannot be looked into (another user's process).
EHolds HoldsDevice(const std::string& procRoot, const std::string& pid, const struct stat& node)
{
    const std::string fdFolder = procRoot + "/" + pid + "/fd";
    DIR* fds = opendir(fdFolder.c_str());
    if (!fds)
        return EHolds::Unknown;
    EHolds holds = EHolds::No;
    while (const dirent* fdEntry = readdir(fds)) {
        struct stat st {};
        if (AllDigits(fdEntry->d_name) && stat((fdFolder + "/" + fdEntry->d_name).c_str(), &st) == 0
            && SameDevice(st, node)) {
            holds = EHolds::Yes;
            break;
        }
    }
    closedir(fds);
    return holds;
}

// A process with a descriptor on the device, looked for in every process this user may look into.
int FindDescriptorHolder(const std::string& procRoot, const struct stat& node, int nExcludePid)
{
    DIR* proc = opendir(procRoot.c_str());
    if (!proc)
        return 0;
    int nFound = 0;
    while (!nFound) {
        const dirent* entry = readdir(proc);
        if (!entry)
            break;
        if (AllDigits(entry->d_name) && std::atoi(entry->d_name) != nExcludePid
            && HoldsDevice(procRoot, entry->d_name, node) == EHolds::Yes)
            nFound = std::atoi(entry->d_name);
    }
    closedir(proc);
    return nFound;
}

// A screen text and the values for its "%s" and "%d", in order: the window shows it translated.
Message Filled(const char* pszText, std::vector<std::string> values)
{
    return Message(pszText, std::move(values), MessageIcon::None);
}

std::string JoinDevices(const std::vector<std::string>& devices)
{
    std::string text;
    for (const std::string& device : devices)
        text += (text.empty() ? "" : ", ") + device;
    return text;
}

} // namespace

EOpenFailure ClassifyOpenError(int nError)
{
    switch (nError) {
    case EACCES:
    case EPERM:
        return EOpenFailure::Permission;
    case ENOENT:
    case ENODEV:
    case ENXIO:
    case EIO:
        return EOpenFailure::Missing;
    case EBUSY:
    case EWOULDBLOCK:
        return EOpenFailure::Busy;
    case ENOTTY:
        return EOpenFailure::NotSerial;
    default:
        return EOpenFailure::Other;
    }
}

int LockHolderFromLocks(const std::string& locksText, unsigned nMajor, unsigned nMinor, unsigned long nInode)
{
    std::istringstream lines(locksText);
    std::string line;
    while (std::getline(lines, line)) {
        // "->" marks a process waiting for the lock, not one holding it.
        if (line.find("->") != std::string::npos)
            continue;
        std::istringstream fields(line);
        std::string number, type, mode, access, file;
        long nPid = 0;
        if (!(fields >> number >> type >> mode >> access >> nPid >> file))
            continue;
        unsigned nFileMajor = 0, nFileMinor = 0;
        unsigned long nFileInode = 0;
        if (std::sscanf(file.c_str(), "%x:%x:%lu", &nFileMajor, &nFileMinor, &nFileInode) == 3
            && nFileMajor == nMajor && nFileMinor == nMinor && nFileInode == nInode && nPid > 0)
            return static_cast<int>(nPid);
    }
    return 0;
}

int FindDeviceHolder(const std::string& device, const SDeviceRoots& roots, int nExcludePid)
{
    struct stat node {};
    if (stat(device.c_str(), &node) != 0)
        return 0;
    std::ifstream locks(roots.strProc + "/locks");
    std::stringstream locksText;
    locksText << locks.rdbuf();
    const int nLocker = LockHolderFromLocks(locksText.str(), major(node.st_dev), minor(node.st_dev), node.st_ino);
    if (nLocker > 0 && nLocker != nExcludePid) {
        // The lock records who took it, not who holds it now: that process may have ended (its
        // number perhaps taken by another), or passed the device on to a child.
        struct stat process {};
        const std::string pid = std::to_string(nLocker);
        if (stat((roots.strProc + "/" + pid).c_str(), &process) == 0
            && HoldsDevice(roots.strProc, pid, node) != EHolds::No)
            return nLocker;
    }
    return FindDescriptorHolder(roots.strProc, node, nExcludePid);
}

SOpenFailure DiagnoseOpenFailure(const std::string& device, int nError, int nPort, const SDeviceRoots& roots)
{
    SOpenFailure failure;
    failure.kind = ClassifyOpenError(nError);
    failure.nError = nError;
    failure.strDevice = device;
    // A lock held by another program reads as "Resource temporarily unavailable", which says
    // nothing to a user; the device is busy.
    failure.strSystemText = SystemErrorText(nError == EWOULDBLOCK ? EBUSY : nError);
    if (nPort > 0)
        failure.strVariable = "VELDRAN_COM" + std::to_string(nPort);
    switch (failure.kind) {
    case EOpenFailure::Permission:
    {
        failure.strGroup = OwningGroup(device);
        failure.bInGroup = !failure.strGroup.empty() && ProcessInGroup(failure.strGroup);
        struct stat node {};
        failure.bGroupMayOpen = stat(device.c_str(), &node) == 0 && (node.st_mode & (S_IRGRP | S_IWGRP)) == (S_IRGRP | S_IWGRP);
        break;
    }
    case EOpenFailure::Missing:
        for (const SSerialPort& port : ListSerialPorts(roots))
            failure.available.push_back(port.strPath);
        break;
    case EOpenFailure::Busy:
        failure.nHolderPid = FindDeviceHolder(device, roots);
        if (failure.nHolderPid > 0)
            failure.strHolderName = ReadFirstLine(roots.strProc + "/" + std::to_string(failure.nHolderPid) + "/comm");
        break;
    case EOpenFailure::NotSerial:
        failure.strSystemText = "not a serial port (not a terminal device)";
        break;
    case EOpenFailure::Other:
        break;
    }
    return failure;
}

Message OpenFailureHint(const SOpenFailure& failure)
{
    const std::string& device = failure.strDevice;
    const std::string& system = failure.strSystemText;
    switch (failure.kind) {
    case EOpenFailure::Permission:
        // Joining a group that may not open the device either would not help.
        if (failure.strGroup.empty() || !failure.bGroupMayOpen)
            return Filled(text::kHintOwnerOnly, {device, system});
        if (failure.bInGroup)
            return Filled(text::kHintInGroup, {device, system, failure.strGroup});
        return Filled(text::kHintJoinGroup, {device, system, failure.strGroup, failure.strGroup});
    case EOpenFailure::Missing:
        if (failure.strVariable.empty())
            return failure.available.empty()
                ? Filled(text::kHintNoDevice, {device, system})
                : Filled(text::kHintOtherDevice, {device, system, JoinDevices(failure.available)});
        return failure.available.empty()
            ? Filled(text::kHintVariableNoDevice, {device, system, failure.strVariable})
            : Filled(text::kHintVariableOtherDevice, {device, system, failure.strVariable, JoinDevices(failure.available)});
    case EOpenFailure::Busy:
        if (failure.nHolderPid > 0)
            return failure.strHolderName.empty()
                ? Filled(text::kHintBusyPid, {device, system, std::to_string(failure.nHolderPid)})
                : Filled(text::kHintBusyNamed, {device, system, std::to_string(failure.nHolderPid), failure.strHolderName});
        return Filled(text::kHintBusy, {device, system});
    case EOpenFailure::NotSerial:
        return Filled(text::kHintNotSerial, {device});
    case EOpenFailure::Other:
        break;
    }
    return Filled(text::kHintOther, {device, system});
}

std::string OpenFailureRemedy(const SOpenFailure& failure)
{
    switch (failure.kind) {
    case EOpenFailure::Permission:
        if (failure.strGroup.empty() || !failure.bGroupMayOpen)
            return "only its owner may open it: ask the administrator for a udev rule that gives it to a group";
        if (failure.bInGroup)
            return "you are in group '" + failure.strGroup + "' already: log in again to use it";
        return "the device belongs to group '" + failure.strGroup + "'; join it and log in again: sudo usermod -aG "
            + failure.strGroup + " $USER";
    case EOpenFailure::Missing:
        return (failure.strVariable.empty() ? std::string("name another device with --port")
                                            : "set " + failure.strVariable + " to the device, or name it with --port")
            + (failure.available.empty() ? "; no serial device is present"
                                         : "; present: " + JoinDevices(failure.available));
    case EOpenFailure::Busy:
        if (failure.nHolderPid > 0)
            return "process " + std::to_string(failure.nHolderPid)
                + (failure.strHolderName.empty() ? "" : " (" + failure.strHolderName + ")") + " holds it";
        return "another program holds it";
    case EOpenFailure::NotSerial:
        return "name the serial device the instrument is connected to (--list-ports shows them)";
    case EOpenFailure::Other:
        break;
    }
    return {};
}

std::string OpenFailureAdvice(const SOpenFailure& failure)
{
    const std::string text = "cannot open " + failure.strDevice + ": " + failure.strSystemText;
    const std::string remedy = OpenFailureRemedy(failure);
    return remedy.empty() ? text : text + "\n" + remedy;
}

} // namespace veldran
