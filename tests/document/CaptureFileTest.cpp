// Saving and opening capture files on disk: stored files, replacing an earlier file safely, and
// what the user is told when the file system fails.

#include "document/CaptureFile.h"
#include "resources/Strings.h"
#include "tests/common/MessageRecorder.h"
#include "tests/common/ListingBuilder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

using namespace veldran;

namespace {

std::string DataFile(const char* name)
{
    return std::string(VELDRAN_TEST_DATA) + "/document/" + name;
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

ChannelNames Names(const char* prefix)
{
    ChannelNames names;
    for (int ch = 0; ch < kChannelCount; ++ch)
        names[static_cast<size_t>(ch)] = prefix + std::to_string(ch);
    return names;
}

void Receive(CVELDRANDoc& doc, int samples)
{
    std::vector<std::array<unsigned, 3>> cells;
    for (int i = 0; i < samples; ++i)
        cells.push_back({unsigned(i) & 0xFFFF, 0xFFFFu - unsigned(i), 0x5A5Au});
    test::Receive(doc, test::Listing(cells));
}

// The bytes this process has read so far (the kernel's count), or −1 where it does not tell.
long long BytesRead()
{
    std::ifstream io("/proc/self/io");
    std::string key;
    long long value = -1;
    while (io >> key >> value)
        if (key == "rchar:")
            return value;
    return -1;
}

bool NoTemporaryFilesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden).filter(".veldran-save").isEmpty();
}

} // namespace

class CaptureFileTest : public QObject {
    Q_OBJECT

private slots:
    void storedFile_data();
    void storedFile();
    void storedFileSavedAgainIsIdentical();
    void saveReplacesEarlierFile();
    void failedSaveKeepsEarlierFile_data();
    void failedSaveKeepsEarlierFile();
    void refusedSaveKeepsEarlierFile();
    void saveThroughLinkKeepsLink();
    void unreadableFileLeavesDocument_data();
    void unreadableFileLeavesDocument();
    void fileLargerThanAnyCaptureIsNotRead();
};

void CaptureFileTest::storedFile_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("line feeds") << "three_samples.vxr";
    QTest::newRow("carriage return and line feed") << "three_samples_crlf.vxr";
}

void CaptureFileTest::storedFile()
{
    QFETCH(QString, file);
    test::MessageRecorder messages;
    CVELDRANDoc doc;
    const CaptureLoad load = LoadCaptureFile(doc, DataFile(qPrintable(file)));
    QVERIFY(load);
    QCOMPARE(load.result, LoadResult::Loaded);
    QVERIFY(load.messages.empty());
    QVERIFY(messages.messages.empty());
    QCOMPARE(doc.SampleCount(), 3);
    const unsigned cells[3][3] = {{0x0001, 0x8000, 0xFFFF}, {0xA5A5, 0x0000, 0x1234}, {0xFFFF, 0x5A5A, 0x8001}};
    for (int i = 0; i < 3; ++i)
        for (int ch = 0; ch < kChannelCount; ++ch)
            QCOMPARE(unsigned(doc.Level(i, ch)), (cells[i][ch / 16] >> (ch % 16)) & 1u);
    QCOMPARE(doc.ChannelNames()[0], std::string("클럭"));
    QCOMPARE(doc.ChannelNames()[1], std::string("데이터 1"));
    QCOMPARE(doc.ChannelNames()[47], std::string("CH47"));
    QCOMPARE(doc.Tokens().front(), std::string("0000"));
    QCOMPARE(doc.HeaderTokens().front(), std::string("STATE"));
}

void CaptureFileTest::storedFileSavedAgainIsIdentical()
{
    QTemporaryDir folder;
    const std::string path = folder.filePath("again.vxr").toStdString();
    CVELDRANDoc doc;
    QVERIFY(LoadCaptureFile(doc, DataFile("three_samples_crlf.vxr")));
    QVERIFY(SaveCaptureFile(doc, doc.ChannelNames(), path));
    QCOMPARE(ReadBytes(path), ReadBytes(DataFile("three_samples.vxr")));
}

void CaptureFileTest::saveReplacesEarlierFile()
{
    test::MessageRecorder messages;
    QTemporaryDir folder;
    const std::string path = folder.filePath("capture.vxr").toStdString();
    WriteBytes(path, "earlier content\n");
    ::chmod(path.c_str(), 0640);
    CVELDRANDoc doc;
    Receive(doc, 10);
    QVERIFY(SaveCaptureFile(doc, Names("N"), path));

    CVELDRANDoc loaded;
    QVERIFY(LoadCaptureFile(loaded, path));
    QCOMPARE(loaded.SampleCount(), 10);
    QCOMPARE(loaded.ChannelNames()[5], std::string("N5"));
    struct stat st {};
    QCOMPARE(::stat(path.c_str(), &st), 0);
    QCOMPARE(int(st.st_mode & 0777), 0640);
    QVERIFY(NoTemporaryFilesIn(folder.path()));
    QVERIFY(messages.messages.empty());
}

void CaptureFileTest::failedSaveKeepsEarlierFile_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("error");
    QTest::newRow("folder that is a file") << "plain.txt/capture.vxr" << QString::fromLocal8Bit(strerror(ENOTDIR));
    QTest::newRow("missing folder") << "missing/capture.vxr" << QString::fromLocal8Bit(strerror(ENOENT));
    QTest::newRow("a folder in the way") << "folder" << QString::fromLocal8Bit(strerror(EISDIR));
}

void CaptureFileTest::failedSaveKeepsEarlierFile()
{
    QFETCH(QString, target);
    QFETCH(QString, error);
    test::MessageRecorder messages;
    QTemporaryDir folder;
    WriteBytes(folder.filePath("plain.txt").toStdString(), "keep me\n");
    QVERIFY(QDir(folder.path()).mkdir("folder"));
    const std::string path = folder.filePath(target).toStdString();
    CVELDRANDoc doc;
    Receive(doc, 3);

    const CaptureSave saved = SaveCaptureFile(doc, Names("N"), path);
    QVERIFY(!saved);
    QCOMPARE(saved.messages.size(), size_t(1));
    // The text, the file, the system's reason: one line each.
    QCOMPARE(SourceText(saved.messages.front()),
             std::string(text::kCannotSave) + "\n" + path + "\n" + error.toLocal8Bit().toStdString());
    QVERIFY(messages.messages.empty());
    QCOMPARE(ReadBytes(folder.filePath("plain.txt").toStdString()), std::string("keep me\n"));
    QVERIFY(QFileInfo(folder.filePath("folder")).isDir());
    QVERIFY(NoTemporaryFilesIn(folder.path()));
}

void CaptureFileTest::refusedSaveKeepsEarlierFile()
{
    test::MessageRecorder messages;
    QTemporaryDir folder;
    const std::string path = folder.filePath("capture.vxr").toStdString();
    CVELDRANDoc doc;
    Receive(doc, 4);
    QVERIFY(SaveCaptureFile(doc, Names("N"), path));
    const std::string saved = ReadBytes(path);

    doc.ForgetCapture(); // New
    const CaptureSave refused = SaveCaptureFile(doc, Names("N"), path);
    QVERIFY(!refused);
    QCOMPARE(refused.messages.size(), size_t(1));
    QCOMPARE(SourceText(refused.messages.front()), std::string(text::kNothingToSave));
    QVERIFY(messages.messages.empty());
    QCOMPARE(ReadBytes(path), saved);
}

void CaptureFileTest::saveThroughLinkKeepsLink()
{
    QTemporaryDir folder;
    const std::string real = folder.filePath("real.vxr").toStdString();
    const std::string link = folder.filePath("link.vxr").toStdString();
    WriteBytes(real, "old\n");
    QCOMPARE(::symlink(real.c_str(), link.c_str()), 0);
    CVELDRANDoc doc;
    Receive(doc, 2);
    QVERIFY(SaveCaptureFile(doc, Names("N"), link));
    QVERIFY(QFileInfo(QString::fromStdString(link)).isSymLink());
    CVELDRANDoc loaded;
    QVERIFY(LoadCaptureFile(loaded, real));
    QCOMPARE(loaded.SampleCount(), 2);
}

void CaptureFileTest::unreadableFileLeavesDocument_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("error");
    QTest::newRow("missing file") << "nothing.vxr" << QString::fromLocal8Bit(strerror(ENOENT));
    QTest::newRow("a folder") << "." << QString::fromLocal8Bit(strerror(EISDIR));
}

void CaptureFileTest::unreadableFileLeavesDocument()
{
    QFETCH(QString, target);
    QFETCH(QString, error);
    test::MessageRecorder messages;
    QTemporaryDir folder;
    const std::string path = folder.filePath(target).toStdString();
    CVELDRANDoc doc;
    Receive(doc, 5);
    const TokenList tokens = doc.Tokens();
    const std::vector<uint8_t> samples = doc.Samples();

    const CaptureLoad load = LoadCaptureFile(doc, path);
    QVERIFY(!load);
    QCOMPARE(load.messages.size(), size_t(1));
    QCOMPARE(SourceText(load.messages.front()),
             std::string(text::kCannotOpen) + "\n" + path + "\n" + error.toLocal8Bit().toStdString());
    QVERIFY(messages.messages.empty());
    QVERIFY(doc.Tokens() == tokens);
    QVERIFY(doc.Samples() == samples);
    QCOMPARE(doc.SampleCount(), 5);
}

// Refused from its size: a gigabyte is not read up to the limit first.
void CaptureFileTest::fileLargerThanAnyCaptureIsNotRead()
{
    QTemporaryDir folder;
    const std::string path = folder.filePath("huge.vxr").toStdString();
    WriteBytes(path, "This file is a VELDRAN's data file. (Data Count=00001)\n");
    QCOMPARE(::truncate(path.c_str(), off_t(1) << 30), 0);
    const long long before = BytesRead();
    if (before < 0)
        QSKIP("the kernel does not count this process's reads (/proc/self/io)");
    CVELDRANDoc doc;
    const CaptureLoad load = LoadCaptureFile(doc, path);
    const long long read = BytesRead() - before;
    QVERIFY(!load);
    QCOMPARE(SourceText(load.messages.front()),
             std::string(text::kCannotOpen) + "\n" + path + "\n" + std::strerror(EFBIG));
    QVERIFY2(read < (1 << 20), qPrintable(QString("%1 bytes read").arg(read)));
}

QTEST_APPLESS_MAIN(CaptureFileTest)
#include "CaptureFileTest.moc"
