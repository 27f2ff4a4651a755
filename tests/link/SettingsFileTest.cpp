// The settings file: the exact bytes other copies of the program read and write, the tolerant
// reading of line 3, and saves that never leave a damaged file behind.

#include "link/SettingsFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <string>

#include <sys/resource.h>

using namespace veldran;

namespace {

// Line 1 in the Korean code page, as an independent converter gives it.
const std::string kTitleCp949 = std::string(
    "\x5b\xc0\xcc\x20\xc6\xc4\xc0\xcf\xc0\xba\x20\x56\x45\x4c\x44\x52\x41\x4e\xc0\xc7\x20\xc8\xaf\xb0"
    "\xe6\xc0\xfa\xc0\xe5\x20\xc6\xc4\xc0\xcf\xc0\xd4\xb4\xcf\xb4\xd9\x2e\x5d", 42);

std::string ReadBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<missing>";
    return file.readAll().toStdString();
}

void WriteBytes(const QString& path, const std::string& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes.data(), static_cast<qint64>(bytes.size())), static_cast<qint64>(bytes.size()));
}

} // namespace

class SettingsFileTest : public QObject {
    Q_OBJECT
private slots:
    void writesExactBytes_data();
    void writesExactBytes();
    void readsThirdLine_data();
    void readsThirdLine();
    void missingOrUnreadableFile();
    void failedSaveReportsAndKeepsOldFile_data();
    void failedSaveReportsAndKeepsOldFile();
    void interruptedWriteKeepsOldFile();
    void folderIsExecutableFolder();
    void userFileLivesInTheConfigFolder();

private:
    QTemporaryDir m_dir;
};

void SettingsFileTest::writesExactBytes_data()
{
    QTest::addColumn<int>("port");
    QTest::addColumn<int>("speed");
    QTest::addColumn<QByteArray>("line3");
    QTest::newRow("COM1 9600") << 0 << 0 << QByteArray("0,0\n");
    QTest::newRow("COM4 1200") << 3 << 1 << QByteArray("3,1\n");
    QTest::newRow("no selection") << -1 << -1 << QByteArray("-1,-1\n");
}

void SettingsFileTest::writesExactBytes()
{
    QFETCH(int, port);
    QFETCH(int, speed);
    QFETCH(QByteArray, line3);
    const QString path = m_dir.filePath(QStringLiteral("veldran.cfg"));
    Message error;
    QVERIFY(WriteSettings(path.toStdString(), port, speed, &error));
    QVERIFY(!error.id);

    const std::string bytes = ReadBytes(path);
    const std::string expected = kTitleCp949 + "\n[port number, port speed]\n" + line3.toStdString();
    QCOMPARE(bytes, expected);
    QCOMPARE(bytes.find('\n'), size_t(42)); // line 1 is 43 bytes with its line feed

    int readPort = 99;
    int readSpeed = 99;
    QVERIFY(ReadSettings(path.toStdString(), readPort, readSpeed));
    QCOMPARE(readPort, port);
    QCOMPARE(readSpeed, speed);
    // No temporary file is left beside it.
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("veldran.cfg")});
}

void SettingsFileTest::readsThirdLine_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("port");
    QTest::addColumn<int>("speed");
    // Values before the read: 9, 9.
    QTest::newRow("COM3 1200") << QByteArray("[a]\n[b]\n2,1\n") << 2 << 1;
    QTest::newRow("speed index above list") << QByteArray("[a]\n[b]\n3,7\n") << 3 << 7;
    QTest::newRow("CR LF line ends") << QByteArray("[a]\r\n[b]\r\n2,1\r\n") << 2 << 1;
    QTest::newRow("no final line feed") << QByteArray("x\ny\n1,0") << 1 << 0;
    QTest::newRow("only line 3 counts") << QByteArray("5,5\n6,6\n1,1\n2,2\n") << 1 << 1;
    QTest::newRow("blanks before numbers") << QByteArray("a\nb\n 4, 1\n") << 4 << 1;
    QTest::newRow("negative") << QByteArray("a\nb\n-1,-1\n") << -1 << -1;
    QTest::newRow("third line not a number") << QByteArray("a\nb\nCOM1,9600\n") << 9 << 9;
    QTest::newRow("second number missing") << QByteArray("a\nb\n5,x\n") << 5 << 9;
    QTest::newRow("no comma") << QByteArray("a\nb\n5 1\n") << 5 << 9;
    QTest::newRow("port out of range of int") << QByteArray("a\nb\n99999999999,1\n") << 9 << 9;
    QTest::newRow("two lines only") << QByteArray("a\nb\n") << 9 << 9;
    QTest::newRow("empty file") << QByteArray() << 9 << 9;
}

void SettingsFileTest::readsThirdLine()
{
    QFETCH(QByteArray, content);
    QFETCH(int, port);
    QFETCH(int, speed);
    const QString path = m_dir.filePath(QStringLiteral("read.cfg"));
    WriteBytes(path, content.toStdString());
    int readPort = 9;
    int readSpeed = 9;
    QVERIFY(ReadSettings(path.toStdString(), readPort, readSpeed));
    QCOMPARE(readPort, port);
    QCOMPARE(readSpeed, speed);
}

void SettingsFileTest::missingOrUnreadableFile()
{
    int port = 7;
    int speed = 8;
    QVERIFY(!ReadSettings(m_dir.filePath(QStringLiteral("none.cfg")).toStdString(), port, speed));
    QVERIFY(!ReadSettings(m_dir.path().toStdString(), port, speed)); // a folder, not a file
    QCOMPARE(port, 7);
    QCOMPARE(speed, 8);
}

void SettingsFileTest::failedSaveReportsAndKeepsOldFile_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("reason");
    QTest::newRow("folder is a file") << QStringLiteral("plain.txt/veldran.cfg") << QStringLiteral("Not a directory");
    QTest::newRow("name taken by a folder") << QStringLiteral("taken") << QStringLiteral("directory");
}

void SettingsFileTest::failedSaveReportsAndKeepsOldFile()
{
    QFETCH(QString, path);
    QFETCH(QString, reason);
    WriteBytes(m_dir.filePath(QStringLiteral("plain.txt")), "keep");
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("taken")));
    const QStringList before = QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

    const std::string fullPath = m_dir.filePath(path).toStdString();
    Message reported;
    QVERIFY(!WriteSettings(fullPath, 1, 1, &reported));
    // The program's text, then the file, the step and the system's reason on one line.
    QCOMPARE(reported.id, text::kCannotWriteSettings);
    QCOMPARE(reported.args.size(), size_t(1));
    const std::string error = SourceText(reported);
    QCOMPARE(error.rfind(std::string(text::kCannotWriteSettings) + "\n" + fullPath + " (", 0), size_t(0));
    QVERIFY2(error.find(fullPath) != std::string::npos, error.c_str());
    QVERIFY2(QString::fromStdString(error).contains(reason, Qt::CaseInsensitive), error.c_str());
    QCOMPARE(ReadBytes(m_dir.filePath(QStringLiteral("plain.txt"))), std::string("keep"));
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
}

// A disk that fills up in the middle of the save (here: a file-size limit) leaves the previous
// settings as they were.
void SettingsFileTest::interruptedWriteKeepsOldFile()
{
    const QString path = m_dir.filePath(QStringLiteral("full.cfg"));
    QVERIFY(WriteSettings(path.toStdString(), 2, 1, nullptr));
    const std::string before = ReadBytes(path);

    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved {};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit tight = saved;
    tight.rlim_cur = 20;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &tight), 0);
    Message reported;
    const bool written = WriteSettings(path.toStdString(), 3, 0, &reported);
    const std::string error = SourceText(reported);
    setrlimit(RLIMIT_FSIZE, &saved);

    QVERIFY(!written);
    QVERIFY2(QString::fromStdString(error).contains(QStringLiteral("too large"), Qt::CaseInsensitive), error.c_str());
    QCOMPARE(ReadBytes(path), before);
    const QStringList left = QDir(m_dir.path()).entryList({QStringLiteral("full.cfg*")}, QDir::Files);
    QCOMPARE(left, QStringList{QStringLiteral("full.cfg")});
}

void SettingsFileTest::folderIsExecutableFolder()
{
    const std::string folder = SettingsFolder();
    QCOMPARE(folder, QCoreApplication::applicationDirPath().toStdString() + "/");
    QCOMPARE(SettingsPath(), folder + "veldran.cfg");
}

void SettingsFileTest::userFileLivesInTheConfigFolder()
{
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", m_dir.path().toUtf8());
    QCOMPARE(UserSettingsPath(), m_dir.path().toStdString() + "/VELDRAN/veldran.cfg");
    // A relative XDG_CONFIG_HOME is not valid and falls back to ~/.config.
    qputenv("XDG_CONFIG_HOME", "relative/folder");
    QVERIFY(QString::fromStdString(UserSettingsPath()).endsWith(QStringLiteral("/.config/VELDRAN/veldran.cfg")));
    // The executable's folder can be written here, so the settings stay beside it.
    QCOMPARE(WritableSettingsPath(), SettingsPath());
    qputenv("XDG_CONFIG_HOME", saved);
}

QTEST_GUILESS_MAIN(SettingsFileTest)
#include "SettingsFileTest.moc"
