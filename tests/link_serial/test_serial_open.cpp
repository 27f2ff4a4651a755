// Opening a port: which device a port number reaches, the line settings the device ends up with,
// which failures are reported in a box and which only return 0, and the text of that box.

#include "tests/common/PseudoTerminal.h"
#include "UiQueue.h"
#include "link/serial/ErrorText.h"
#include "link/serial/LineDefinition.h"
#include "link/serial/SerialDevice.h"
#include "link/serial/SerialEngine.h"

#include <QTemporaryFile>
#include <QtTest>

#include <algorithm>
#include <iterator>

#include <sys/file.h>

using namespace veldran;
using veldran::test::OwnerRecorder;
using veldran::test::PseudoTerminal;
using veldran::test::UiQueue;

Q_DECLARE_METATYPE(speed_t)

class TestSerialOpen : public QObject {
    Q_OBJECT

private slots:
    void lineSettingsReadBack_data()
    {
        QTest::addColumn<int>("speedIndex");
        QTest::addColumn<speed_t>("speed");
        QTest::newRow("index 1: 1200") << 1 << speed_t(B1200);
        QTest::newRow("index 2: 1200") << 2 << speed_t(B1200);
        QTest::newRow("index 0: 9600") << 0 << speed_t(B9600);
        QTest::newRow("index -1: 9600") << -1 << speed_t(B9600);
    }

    void lineSettingsReadBack()
    {
        QFETCH(int, speedIndex);
        QFETCH(speed_t, speed);
        PseudoTerminal line(1);
        QVERIFY(line.IsValid());
        line.Disarrange(speed == B1200 ? B9600 : B1200);
        OwnerRecorder owner;
        CSerialEngine engine;

        QCOMPARE(engine.Open(&owner, 1, BaudForSpeedIndex(speedIndex), 'N', 8, 1, EV_VIEW_MASK), 1);
        QVERIFY(owner.errors.empty());
        const termios settings = line.SlaveSettings();
        QCOMPARE(cfgetispeed(&settings), speed);
        QCOMPARE(cfgetospeed(&settings), speed);
        QCOMPARE(settings.c_cflag & CSIZE, tcflag_t(CS8));
        QCOMPARE(settings.c_cflag & (PARENB | CSTOPB), tcflag_t(0));
        QCOMPARE(settings.c_cflag & (CREAD | CLOCAL), tcflag_t(CREAD | CLOCAL));
        // Raw: a listing's CR, LF and high bytes must reach the owner unchanged.
        QCOMPARE(settings.c_lflag & (ICANON | ECHO | ISIG), tcflag_t(0));
        QCOMPARE(settings.c_iflag & (ICRNL | ISTRIP | IXON), tcflag_t(0));
    }

    // The device is open but a configuration step fails: one box that names the step and ends
    // with the port line; Open still returns 1 and the worker can run.
    void configurationFailure_data()
    {
        QTest::addColumn<int>("baud");
        QTest::addColumn<char>("parity");
        QTest::addColumn<int>("dataBits");
        QTest::addColumn<uint>("mask");
        QTest::addColumn<QString>("call");
        QTest::addColumn<bool>("speedKept");
        QTest::newRow("unsupported speed") << 19200 << 'N' << 8 << uint(EV_VIEW_MASK) << "BuildCommDCB()" << true;
        QTest::newRow("unknown parity") << 9600 << 'X' << 8 << uint(EV_VIEW_MASK) << "BuildCommDCB()" << true;
        QTest::newRow("unknown event bit") << 9600 << 'N' << 8 << 0x8000u << "SetCommMask()" << true;
        // A pseudo-terminal always carries 8 bits without parity; the read-back catches that.
        QTest::newRow("settings not taken") << 1200 << 'E' << 7 << uint(EV_VIEW_MASK) << "SetCommState()"
                                            << false;
    }

    void configurationFailure()
    {
        QFETCH(int, baud);
        QFETCH(char, parity);
        QFETCH(int, dataBits);
        QFETCH(uint, mask);
        QFETCH(QString, call);
        QFETCH(bool, speedKept);
        PseudoTerminal line(1);
        QVERIFY(line.IsValid());
        line.Disarrange(B1200);
        UiQueue ui;
        OwnerRecorder owner;
        CSerialEngine engine(ui.Poster());

        QCOMPARE(engine.Open(&owner, 1, baud, parity, dataBits, 1, mask), 1);
        QCOMPARE(int(owner.errors.size()), 1);
        const QByteArray text = QByteArray::fromStdString(owner.errors.front());
        QVERIFY2(text.startsWith("WARNING:  " + call.toLatin1() + " Failed with the following error: \n"), text);
        QVERIFY2(text.endsWith("\nPort: 1\n"), text);
        QVERIFY(engine.IsOpen());
        if (speedKept) {
            const termios settings = line.SlaveSettings();
            QCOMPARE(cfgetispeed(&settings), speed_t(B1200));
        }
        QCOMPARE(engine.StartWorker(), 1);
    }

    // A file or a device that is no terminal is no serial port: the open fails with ENOTTY (the
    // window then says so) instead of a configuration step failing on it.
    void notASerialPort_data()
    {
        QTest::addColumn<QString>("device"); // "" for a regular file
        QTest::newRow("regular file") << "";
        QTest::newRow("null device") << "/dev/null";
    }
    void notASerialPort()
    {
        QFETCH(QString, device);
        QTemporaryFile file;
        QVERIFY(file.open());
        PseudoTerminal line(1);
        qputenv("VELDRAN_COM1", (device.isEmpty() ? file.fileName() : device).toLocal8Bit());
        OwnerRecorder owner;
        CSerialEngine engine;
        QCOMPARE(engine.Open(&owner, 1, 9600, 'N', 8, 1, EV_VIEW_MASK), 0);
        QVERIFY(owner.errors.empty());
        QVERIFY(!engine.IsOpen());
        QCOMPARE(engine.GetOpenError(), ENOTTY);
    }

    // Closing a port puts back the settings it had before the open, so a console or a getty on
    // the line finds it as it was: by the engine (again after a second open) and by the plain
    // device calls veldran-capture uses.
    void settingsRestoredAtClose()
    {
        PseudoTerminal line(1);
        QVERIFY(line.IsValid());
        line.Disarrange(B1200);
        const termios before = line.SlaveSettings();
        const auto same = [&before](const termios& now) {
            return now.c_iflag == before.c_iflag && now.c_oflag == before.c_oflag && now.c_cflag == before.c_cflag
                && now.c_lflag == before.c_lflag && cfgetispeed(&now) == cfgetispeed(&before)
                && std::equal(std::begin(now.c_cc), std::end(now.c_cc), std::begin(before.c_cc));
        };
        {
            OwnerRecorder owner;
            CSerialEngine engine;
            QCOMPARE(engine.Open(&owner, 1, 9600, 'N', 8, 1, EV_VIEW_MASK), 1);
            QVERIFY(!same(line.SlaveSettings()));
            QCOMPARE(line.SlaveSettings().c_lflag & ICANON, tcflag_t(0));
            // Opened again (the settings' port read once more): still the first settings at the end.
            QCOMPARE(engine.Open(&owner, 1, 1200, 'N', 8, 1, EV_VIEW_MASK), 1);
            QVERIFY(owner.errors.empty());
        }
        QVERIFY(same(line.SlaveSettings()));

        const int fd = OpenPortDevice(line.Path());
        QVERIFY(fd >= 0);
        uint32_t nMask = 0;
        QCOMPARE(ConfigurePort(fd, FormatLineDefinition(9600, 'N', 8, 1), EV_VIEW_MASK, nMask).pszCall, nullptr);
        QVERIFY(!same(line.SlaveSettings()));
        ClosePortDevice(fd);
        QVERIFY(same(line.SlaveSettings()));
    }

    // The device is not there or belongs to another program: 0 and no box (the view shows its
    // own message); the port is free again once its holder lets go.
    void unavailablePort_data()
    {
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("holder");
        QTest::addColumn<QList<int>>("errors"); // what the engine may record as the reason
        QTest::newRow("port 0") << 0 << "" << QList<int>{ENODEV};
        QTest::newRow("port -1") << -1 << "" << QList<int>{ENODEV};
        QTest::newRow("missing device") << 3 << "" << QList<int>{ENOENT};
        // Root passes the terminal's exclusive flag and meets the lock; anyone else meets the flag.
        QTest::newRow("held by another program") << 1 << "flock" << QList<int>{EWOULDBLOCK};
        QTest::newRow("held by another engine") << 1 << "engine" << QList<int>{EWOULDBLOCK, EBUSY};
    }

    void unavailablePort()
    {
        QFETCH(int, port);
        QFETCH(QString, holder);
        QFETCH(QList<int>, errors);
        PseudoTerminal line(1);
        QVERIFY(line.IsValid());
        qputenv("VELDRAN_COM3", "/dev/veldran-no-such-device");
        OwnerRecorder owner;
        auto pHolder = std::make_unique<CSerialEngine>();
        if (holder == "flock")
            QCOMPARE(flock(line.MonitorFd(), LOCK_EX | LOCK_NB), 0);
        if (holder == "engine")
            QCOMPARE(pHolder->Open(&owner, 1, 9600, 'N', 8, 1, EV_VIEW_MASK), 1);

        CSerialEngine engine;
        QCOMPARE(engine.Open(&owner, port, 9600, 'N', 8, 1, EV_VIEW_MASK), 0);
        QVERIFY(owner.errors.empty());
        QVERIFY(!engine.IsOpen());
        QVERIFY2(errors.contains(engine.GetOpenError()), qPrintable(QString::number(engine.GetOpenError())));
        QCOMPARE(engine.GetDevicePath(), port == 3 ? std::string("/dev/veldran-no-such-device")
                                         : port == 1 ? line.Path() : std::string());
        qunsetenv("VELDRAN_COM3");
        if (holder.isEmpty())
            return;

        flock(line.MonitorFd(), LOCK_UN);
        pHolder.reset();
        QCOMPARE(engine.Open(&owner, port, 9600, 'N', 8, 1, EV_VIEW_MASK), 1);
        QVERIFY(owner.errors.empty());
    }

    void purgeDiscardsQueuedBytes()
    {
        PseudoTerminal line(2);
        QVERIFY(line.IsValid());
        OwnerRecorder owner;
        CSerialEngine engine;
        engine.Purge();
        QCOMPARE(engine.Open(&owner, 2, 9600, 'N', 8, 1, EV_VIEW_MASK), 1);
        QVERIFY(line.Write("STATE\r\n"));
        QVERIFY(line.WaitQueued(7));
        engine.Purge();
        QCOMPARE(line.Queued(), 0);
    }

    void errorText_data()
    {
        QTest::addColumn<QByteArray>("systemText");
        QTest::addColumn<bool>("whole");
        QTest::newRow("short") << QByteArray("Input/output error") << true;
        QTest::newRow("long ASCII") << QByteArray(2000, 'x') << false;
        QTest::newRow("long UTF-8, cut between characters") << QString(900, QChar(0xAC00)).toUtf8() << false;
    }

    void errorText()
    {
        QFETCH(QByteArray, systemText);
        QFETCH(bool, whole);
        const QByteArray text = QByteArray::fromStdString(ComposeErrorText("SetCommState()", systemText.toStdString(), 1));
        const QByteArray head = "WARNING:  SetCommState() Failed with the following error: \n";
        QVERIFY(text.startsWith(head));
        QVERIFY(text.endsWith("\nPort: 1\n"));
        QVERIFY(size_t(text.size()) <= kMaxErrorText);
        const QByteArray shown = text.mid(head.size(), text.size() - head.size() - int(strlen("\nPort: 1\n")));
        QVERIFY(systemText.startsWith(shown));
        QCOMPARE(shown == systemText, whole);
        QCOMPARE(QString::fromUtf8(shown).toUtf8(), shown);
    }
};

QTEST_APPLESS_MAIN(TestSerialOpen)
#include "test_serial_open.moc"
