// Why a port could not be opened: which failures mean what, the devices a port listing finds,
// who holds a busy port, and the line the window and the command line show for each.

#include "tests/common/PseudoTerminal.h"
#include "link/serial/ConsolePort.h"
#include "link/serial/OpenFailure.h"
#include "link/serial/SerialPorts.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cstring>
#include <fstream>

#include <grp.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using namespace veldran;
using veldran::test::PseudoTerminal;

Q_DECLARE_METATYPE(veldran::EOpenFailure)

namespace {

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

std::string OwnCommandName()
{
    std::ifstream comm("/proc/self/comm");
    std::string name;
    std::getline(comm, name);
    return name;
}

// A folder laid out like /dev and /sys/class/tty, with plain files standing in for the nodes.
class FakeDevices {
public:
    FakeDevices()
    {
        roots.strDev = (m_dir.path() + "/dev").toStdString();
        roots.strSysTty = (m_dir.path() + "/sys").toStdString();
        roots.strProc = "/proc";
        QDir().mkpath(QString::fromStdString(roots.strDev + "/serial/by-id"));
        QDir().mkpath(QString::fromStdString(roots.strSysTty));
    }
    void AddNode(const std::string& name) { std::ofstream(roots.strDev + "/" + name).put('x'); }
    void AddUart(const std::string& name, int nType)
    {
        AddNode(name);
        QDir().mkpath(QString::fromStdString(roots.strSysTty + "/" + name));
        std::ofstream(roots.strSysTty + "/" + name + "/type") << nType << "\n";
    }
    void AddById(const std::string& name, const std::string& target)
    {
        QVERIFY(symlink(target.c_str(), (roots.strDev + "/serial/by-id/" + name).c_str()) == 0);
    }

    SDeviceRoots roots;

private:
    QTemporaryDir m_dir;
};

} // namespace

class TestOpenFailure : public QObject {
    Q_OBJECT

private slots:
    void classify_data()
    {
        QTest::addColumn<int>("error");
        QTest::addColumn<EOpenFailure>("kind");
        QTest::newRow("EACCES") << EACCES << EOpenFailure::Permission;
        QTest::newRow("EPERM") << EPERM << EOpenFailure::Permission;
        QTest::newRow("ENOENT") << ENOENT << EOpenFailure::Missing;
        QTest::newRow("ENODEV") << ENODEV << EOpenFailure::Missing;
        QTest::newRow("ENXIO") << ENXIO << EOpenFailure::Missing;
        QTest::newRow("EIO: ttyS without a UART") << EIO << EOpenFailure::Missing;
        QTest::newRow("EBUSY: exclusive terminal") << EBUSY << EOpenFailure::Busy;
        QTest::newRow("EWOULDBLOCK: lock held") << EWOULDBLOCK << EOpenFailure::Busy;
        QTest::newRow("EMFILE") << EMFILE << EOpenFailure::Other;
    }
    void classify()
    {
        QFETCH(int, error);
        QFETCH(EOpenFailure, kind);
        QCOMPARE(ClassifyOpenError(error), kind);
    }

    void lockHolder_data()
    {
        QTest::addColumn<QString>("locks");
        QTest::addColumn<int>("holder");
        QTest::newRow("flock on the node") << "1: FLOCK  ADVISORY  WRITE 4711 00:1a:7 0 EOF\n" << 4711;
        QTest::newRow("among others")
            << "1: POSIX  ADVISORY  WRITE 12 08:01:99 0 EOF\n2: FLOCK  ADVISORY  WRITE 815 00:1a:7 0 EOF\n" << 815;
        QTest::newRow("waiter only") << "1: -> FLOCK  ADVISORY  WRITE 99 00:1a:7 0 EOF\n" << 0;
        QTest::newRow("other inode") << "1: FLOCK  ADVISORY  WRITE 4711 00:1a:70 0 EOF\n" << 0;
        QTest::newRow("other device") << "1: FLOCK  ADVISORY  WRITE 4711 00:1b:7 0 EOF\n" << 0;
        QTest::newRow("hex device numbers") << "1: FLOCK  ADVISORY  WRITE 31 00:1A:7 0 EOF\n" << 31;
        QTest::newRow("damaged line") << "1: FLOCK ADVISORY\n" << 0;
        QTest::newRow("empty") << "" << 0;
    }
    void lockHolder()
    {
        QFETCH(QString, locks);
        QFETCH(int, holder);
        QCOMPARE(LockHolderFromLocks(locks.toStdString(), 0, 0x1a, 7), holder);
    }

    // A real port: nobody, a descriptor without a lock, then a lock, as this process.
    void holderOfARealPort()
    {
        PseudoTerminal line(1);
        QVERIFY(line.IsValid());
        const int self = static_cast<int>(getpid());
        // The test's own monitor descriptor is the only one on the slave.
        QCOMPARE(FindDeviceHolder(line.Path()), self);
        QCOMPARE(FindDeviceHolder(line.Path(), {}, self), 0);
        QCOMPARE(flock(line.MonitorFd(), LOCK_EX | LOCK_NB), 0);
        QCOMPARE(FindDeviceHolder(line.Path()), self);

        const SOpenFailure failure = DiagnoseOpenFailure(line.Path(), EWOULDBLOCK, 1);
        QCOMPARE(failure.kind, EOpenFailure::Busy);
        QCOMPARE(failure.nHolderPid, self);
        QCOMPARE(failure.strHolderName, OwnCommandName());
        QCOMPARE(failure.strSystemText, std::string(strerror(EBUSY)));
        const std::string hint = SourceText(OpenFailureHint(failure));
        QVERIFY2(Contains(hint, "프로세스 " + std::to_string(self) + " (" + OwnCommandName() + ")"), hint.c_str());
        QVERIFY2(Contains(OpenFailureAdvice(failure), "process " + std::to_string(self)), hint.c_str());
        flock(line.MonitorFd(), LOCK_UN);
    }

    // The lock names who took it, not who holds the port now: a taker that has ended, or that
    // handed the device to a child and closed its own, is passed over for the process that has
    // the device open. A /proc of the test's own shows each case.
    void holderAfterTheLockTaker_data()
    {
        QTest::addColumn<QStringList>("processes"); // pid:comm, '+' after the pid: it has the device open
        QTest::addColumn<int>("holder");
        QTest::newRow("taker ended, child holds it") << QStringList{"5001+:minicom"} << 5001;
        QTest::newRow("taker closed it, child holds it") << QStringList{"4242:sh", "5001+:minicom"} << 5001;
        QTest::newRow("taker still holds it") << QStringList{"4242+:screen", "5001+:minicom"} << 4242;
        QTest::newRow("taker ended, nobody holds it") << QStringList{"5001:bash"} << 0;
    }
    void holderAfterTheLockTaker()
    {
        QFETCH(QStringList, processes);
        QFETCH(int, holder);
        PseudoTerminal line(0);
        QVERIFY(line.IsValid());
        QTemporaryDir proc;
        struct stat node {};
        QVERIFY(stat(line.Path().c_str(), &node) == 0);
        // The lock was taken by 4242.
        std::ofstream(proc.filePath("locks").toStdString())
            << "1: FLOCK  ADVISORY  WRITE 4242 " << std::hex << major(node.st_dev) << ":" << minor(node.st_dev)
            << ":" << std::dec << node.st_ino << " 0 EOF\n";
        for (const QString& process : processes) {
            const QString pid = process.section(':', 0, 0).remove('+');
            QVERIFY(QDir().mkpath(proc.filePath(pid + "/fd")));
            std::ofstream(proc.filePath(pid + "/comm").toStdString()) << process.section(':', 1).toStdString() << "\n";
            QVERIFY(symlink("/dev/null", proc.filePath(pid + "/fd/0").toLocal8Bit().constData()) == 0);
            if (process.section(':', 0, 0).endsWith('+'))
                QVERIFY(symlink(line.Path().c_str(), proc.filePath(pid + "/fd/3").toLocal8Bit().constData()) == 0);
        }
        SDeviceRoots roots;
        roots.strProc = proc.path().toStdString();
        QCOMPARE(FindDeviceHolder(line.Path(), roots), holder);
        const SOpenFailure failure = DiagnoseOpenFailure(line.Path(), EWOULDBLOCK, 0, roots);
        QCOMPARE(failure.nHolderPid, holder);
        if (holder == 5001)
            QVERIFY2(Contains(OpenFailureAdvice(failure), "process 5001 (minicom) holds it"), OpenFailureAdvice(failure).c_str());
    }

    // A file or a device that is no terminal: said to be no serial port, in both faces' source.
    void notASerialPort()
    {
        const SOpenFailure failure = DiagnoseOpenFailure("/dev/null", ENOTTY, 1);
        QCOMPARE(failure.kind, EOpenFailure::NotSerial);
        QCOMPARE(SourceText(OpenFailureHint(failure)), FillMessageText(text::kHintNotSerial, {"/dev/null"}));
        QVERIFY2(Contains(OpenFailureAdvice(failure), "cannot open /dev/null: not a serial port"),
                 OpenFailureAdvice(failure).c_str());
    }

    // The console's lines, as <sys>/console/active lists them: by name, or another name of the
    // same device; other devices are not.
    void kernelConsole()
    {
        FakeDevices devices;
        PseudoTerminal line(0);
        QVERIFY(line.IsValid());
        QDir().mkpath(QString::fromStdString(devices.roots.strSysTty + "/console"));
        const auto listActive = [&devices](const std::string& names) {
            std::ofstream(devices.roots.strSysTty + "/console/active") << names << "\n";
        };
        QVERIFY(!IsKernelConsole(devices.roots.strDev + "/ttyS0", devices.roots)); // no console file
        listActive("tty0 ttyS0");
        QVERIFY(IsKernelConsole(devices.roots.strDev + "/ttyS0", devices.roots));
        QVERIFY(!IsKernelConsole(devices.roots.strDev + "/ttyS1", devices.roots));
        QVERIFY(!IsKernelConsole(line.Path(), devices.roots));
        // The pseudo-terminal as the console, reached through a link of another name.
        QVERIFY(symlink(line.Path().c_str(), (devices.roots.strDev + "/ttyV9").c_str()) == 0);
        listActive("ttyV9");
        QVERIFY(IsKernelConsole(line.Path(), devices.roots));
        devices.AddById("usb-adapter", line.Path());
        QVERIFY(IsKernelConsole(devices.roots.strDev + "/serial/by-id/usb-adapter", devices.roots));
    }

    void busyWithoutHolder()
    {
        SOpenFailure failure;
        failure.kind = EOpenFailure::Busy;
        failure.strDevice = "/dev/ttyS0";
        failure.strSystemText = "Device or resource busy";
        QVERIFY(Contains(SourceText(OpenFailureHint(failure)), "다른 프로그램이"));
        QVERIFY(Contains(OpenFailureAdvice(failure), "another program holds it"));
    }

    void portList()
    {
        FakeDevices devices;
        devices.AddUart("ttyS0", 4);
        devices.AddUart("ttyS1", 0); // a node without a UART behind it
        devices.AddUart("ttyS10", 4);
        devices.AddUart("ttyS2", 4);
        devices.AddNode("ttyUSB1");
        devices.AddNode("ttyUSB0");
        devices.AddNode("ttyACM0");
        devices.AddNode("ttyUSBx"); // not a numbered adapter
        devices.AddNode("tty0");
        devices.AddById("usb-FTDI_Cable_A1-if00-port0", "../../ttyUSB0");
        devices.AddById("usb-Gone_Adapter-if00", "../../ttyUSB7");

        std::vector<std::string> listed;
        for (const SSerialPort& port : ListSerialPorts(devices.roots))
            listed.push_back(port.strPath.substr(devices.roots.strDev.size()));
        const std::vector<std::string> expected{"/ttyS0", "/ttyS2", "/ttyS10", "/ttyUSB0", "/ttyUSB1",
                                                "/ttyACM0", "/serial/by-id/usb-FTDI_Cable_A1-if00-port0"};
        QCOMPARE(listed, expected);

        const SSerialPort link = ListSerialPorts(devices.roots).back();
        char* pszReal = realpath((devices.roots.strDev + "/ttyUSB0").c_str(), nullptr);
        QCOMPARE(link.strTarget, std::string(pszReal));
        std::free(pszReal);
        QVERIFY(link.bCanOpen);
        QCOMPARE(link.nAccessError, 0);
    }

    // A missing device names the variable (for a port chosen by number) and what is there.
    void missingDevice_data()
    {
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("variable");
        QTest::newRow("COM2") << 2 << "VELDRAN_COM2";
        QTest::newRow("a device by name") << 0 << "";
    }
    void missingDevice()
    {
        QFETCH(int, port);
        QFETCH(QString, variable);
        FakeDevices devices;
        devices.AddUart("ttyS0", 4);
        devices.AddNode("ttyUSB3");
        const SOpenFailure failure = DiagnoseOpenFailure("/dev/veldran-none", ENOENT, port, devices.roots);
        QCOMPARE(failure.kind, EOpenFailure::Missing);
        QCOMPARE(failure.strVariable, variable.toStdString());
        QCOMPARE(failure.available.size(), size_t(2));
        const std::string hint = SourceText(OpenFailureHint(failure));
        const std::string advice = OpenFailureAdvice(failure);
        for (const std::string& text : {hint, advice}) {
            QVERIFY2(Contains(text, "/dev/veldran-none"), text.c_str());
            QVERIFY2(Contains(text, devices.roots.strDev + "/ttyS0, " + devices.roots.strDev + "/ttyUSB3"),
                     text.c_str());
            QVERIFY2(variable.isEmpty() || Contains(text, variable.toStdString()), text.c_str());
        }
        QVERIFY(hint.find('\n') == std::string::npos);

        FakeDevices none;
        const SOpenFailure nothing = DiagnoseOpenFailure("/dev/veldran-none", ENODEV, port, none.roots);
        QVERIFY(nothing.available.empty());
        QVERIFY(Contains(SourceText(OpenFailureHint(nothing)), "직렬 장치가 없습니다"));
        QVERIFY(Contains(OpenFailureAdvice(nothing), "no serial device is present"));
    }

    // Permission denied names the device's group and how to join it; a member is told to log in again.
    void permission()
    {
        QTemporaryFile node;
        QVERIFY(node.open());
        const std::string path = node.fileName().toStdString();
        QVERIFY(chmod(path.c_str(), 0660) == 0); // as serial devices are: owner and group
        // A group this process is not in, where the test may give the file one (as root).
        const group* pOther = getuid() == 0 ? getgrnam("dialout") : nullptr;
        if (!pOther && getuid() == 0)
            pOther = getgrnam("nogroup");
        if (pOther && chown(path.c_str(), static_cast<uid_t>(-1), pOther->gr_gid) == 0) {
            const std::string name = pOther->gr_name;
            const SOpenFailure failure = DiagnoseOpenFailure(path, EACCES, 1);
            QCOMPARE(failure.kind, EOpenFailure::Permission);
            QCOMPARE(failure.strGroup, name);
            QVERIFY(!failure.bInGroup);
            const std::string hint = SourceText(OpenFailureHint(failure));
            QVERIFY2(Contains(hint, "sudo usermod -aG " + name + " $USER"), hint.c_str());
            QVERIFY2(Contains(hint, path), hint.c_str());
            QVERIFY(hint.find('\n') == std::string::npos);
            QVERIFY(Contains(OpenFailureAdvice(failure), "sudo usermod -aG " + name + " $USER"));
        }
        // The file's own group is this process's group: joining again would not help.
        QVERIFY(chown(path.c_str(), static_cast<uid_t>(-1), getegid()) == 0);
        const SOpenFailure member = DiagnoseOpenFailure(path, EACCES, 1);
        QVERIFY(member.bInGroup);
        QVERIFY(!Contains(SourceText(OpenFailureHint(member)), "usermod"));
        QVERIFY(Contains(SourceText(OpenFailureHint(member)), "다시 로그인"));
        QVERIFY(Contains(OpenFailureAdvice(member), "log in again"));
        QVERIFY(Contains(SourceText(OpenFailureHint(member)), member.strSystemText));

        // A device only its owner may open: no group to join would help.
        QVERIFY(chmod(path.c_str(), 0600) == 0);
        const SOpenFailure ownerOnly = DiagnoseOpenFailure(path, EACCES, 1);
        QVERIFY(!ownerOnly.bGroupMayOpen);
        QVERIFY(!Contains(SourceText(OpenFailureHint(ownerOnly)), "usermod"));
        QVERIFY(Contains(SourceText(OpenFailureHint(ownerOnly)), "소유자만"));
        QVERIFY(Contains(OpenFailureAdvice(ownerOnly), "only its owner may open it"));
    }
};

QTEST_GUILESS_MAIN(TestOpenFailure)
#include "test_open_failure.moc"
