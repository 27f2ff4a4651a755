// Opening files to read only when they are regular files, without ever blocking, and writing every
// file of the program through a new temporary file, never through a name that already exists.

#include "document/CaptureFile.h"
#include "files/SafeFile.h"
#include "link/SettingsFile.h"
#include "print/bitmap/DibFile.h"
#include "tests/common/FileBytes.h"
#include "tests/common/ListingBuilder.h"
#include "tests/common/MessageRecorder.h"
#include "tests/common/PipeRescuer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <functional>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

using namespace veldran;

namespace {

// A received capture of one sample, enough for the capture writer.
void OneSample(CVELDRANDoc& document)
{
    test::Receive(document, test::Listing({{0xFFFF, 0, 0xFFFF}}));
}

using Writer = std::function<bool(const std::string& path)>;

} // namespace

Q_DECLARE_METATYPE(Writer)

class SafeFileTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_folder;
    test::MessageRecorder m_messages;

    QString Path(const QString& name) const { return m_folder.filePath(name); }

private slots:
    void initTestCase() { QVERIFY(m_folder.isValid()); }

    void openTakesOnlyRegularFiles_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("error"); // 0: opened
        QTest::newRow("regular file") << "regular" << 0;
        QTest::newRow("link to a regular file") << "link" << 0;
        QTest::newRow("folder") << "folder" << EISDIR;
        QTest::newRow("named pipe without a writer") << "pipe" << EINVAL;
        QTest::newRow("character device") << "device" << EINVAL;
        QTest::newRow("missing") << "missing" << ENOENT;
    }
    void openTakesOnlyRegularFiles()
    {
        QFETCH(QString, kind);
        QFETCH(int, error);
        const QString regular = Path(QStringLiteral("regular.vxr"));
        QVERIFY(test::WriteFileBytes(regular, "data"));
        QString path = regular;
        if (kind == "link") {
            path = Path(QStringLiteral("link.vxr"));
            QFile::remove(path);
            QVERIFY(QFile::link(regular, path));
        } else if (kind == "folder") {
            path = m_folder.path();
        } else if (kind == "device") {
            path = QStringLiteral("/dev/null");
        } else if (kind == "missing") {
            path = Path(QStringLiteral("missing.vxr"));
        }
        std::unique_ptr<test::PipeRescuer> pipe;
        if (kind == "pipe") {
            pipe = std::make_unique<test::PipeRescuer>(QFile::encodeName(Path(QStringLiteral("pipe.vxr"))).toStdString());
            QVERIFY(pipe->IsMade());
            path = QFile::decodeName(pipe->Path().c_str());
        }

        errno = 0;
        const int fd = OpenRegularFile(QFile::encodeName(path).toStdString());
        const int openError = errno;
        if (pipe) {
            pipe->Finish();
            QVERIFY2(!pipe->WasNeeded(), "the open waited for a writer");
        }
        if (error == 0) {
            QVERIFY(fd >= 0);
            char bytes[8] = {};
            QCOMPARE(::read(fd, bytes, sizeof bytes), ssize_t(4));
            ::close(fd);
        } else {
            QCOMPARE(fd, -1);
            QCOMPARE(openError, error);
        }
    }

    void captureReaderRefusesAPipeAndNamesIt()
    {
        test::PipeRescuer pipe(QFile::encodeName(Path(QStringLiteral("capture-pipe.vxr"))).toStdString());
        QVERIFY(pipe.IsMade());
        CVELDRANDoc document;
        m_messages.messages.clear();
        const CaptureLoad loaded = LoadCaptureFile(document, pipe.Path());
        pipe.Finish();
        QVERIFY2(!pipe.WasNeeded(), "the open waited for a writer");
        QVERIFY(!loaded);
        QCOMPARE(loaded.messages.size(), size_t(1));
        QVERIFY(SourceText(loaded.messages.front()).find(pipe.Path()) != std::string::npos);
        QVERIFY(m_messages.messages.empty());
    }

    void temporaryFileIsNewAndBesideItsTarget()
    {
        const std::string target = QFile::encodeName(Path(QStringLiteral("target.cfg"))).toStdString();
        std::string first;
        std::string second;
        const int a = CreateTempBeside(target, first);
        const int b = CreateTempBeside(target, second);
        QVERIFY(a >= 0 && b >= 0);
        ::close(a);
        ::close(b);
        QVERIFY(first != second);
        for (const std::string& name : {first, second}) {
            const QFileInfo info(QFile::decodeName(name.c_str()));
            QCOMPARE(info.absolutePath(), m_folder.path());
            QVERIFY(info.fileName().startsWith(QStringLiteral(".target.cfg.")));
            QCOMPARE(info.permissions() & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteOther), QFile::Permissions());
            QCOMPARE(info.size(), 0);
            ::unlink(name.c_str());
        }
        std::string none;
        QCOMPARE(CreateTempBeside(QFile::encodeName(Path(QStringLiteral("no-folder/x.cfg"))).toStdString(), none), -1);
        QCOMPARE(errno, ENOENT);
    }

    void writersNeverWriteThroughAPlantedLink_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<Writer>("writer");
        QTest::newRow("print bitmap") << "tmp.bmp" << Writer([](const std::string& path) {
            return DibReplaceFile(path, std::vector<uint8_t>{'B', 'M', 1, 2, 3});
        });
        QTest::newRow("capture file") << "capture.vxr" << Writer([](const std::string& path) {
            CVELDRANDoc document;
            OneSample(document);
            return static_cast<bool>(SaveCaptureFile(document, ChannelNames{}, path));
        });
        QTest::newRow("settings file") << "veldran.cfg" << Writer([](const std::string& path) {
            return WriteSettings(path, 2, 1, nullptr);
        });
    }
    void writersNeverWriteThroughAPlantedLink()
    {
        QFETCH(QString, target);
        QFETCH(Writer, writer);
        QTemporaryDir folder;
        QTemporaryDir elsewhere;
        QVERIFY(folder.isValid() && elsewhere.isValid());
        const QString targetPath = folder.filePath(target);

        // Links under every name a temporary file might be given beside the target, each to a
        // file of its own that must keep its content.
        // (A link at the target's own name is one the user named, and is followed: the contract
        // test of the file writer covers it.)
        const QStringList planted{target + ".part", target + ".tmp", target + "~", "." + target + ".part", target + ".new"};
        for (const QString& name : planted) {
            const QString victim = elsewhere.filePath(QStringLiteral("victim-") + name);
            QVERIFY(test::WriteFileBytes(victim, "precious " + name.toUtf8()));
            QVERIFY(QFile::link(victim, folder.filePath(name)));
        }

        QVERIFY(writer(QFile::encodeName(targetPath).toStdString()));

        for (const QString& name : planted)
            QCOMPARE(test::ReadFileBytes(elsewhere.filePath(QStringLiteral("victim-") + name)), "precious " + name.toUtf8());
        QVERIFY(!test::IsSymbolicLink(targetPath));
        QVERIFY(QFileInfo(targetPath).isFile());
        QVERIFY(test::ReadFileBytes(targetPath).size() > 0);
        // Nothing is left behind but the target and the planted links.
        const QStringList left = QDir(folder.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
        QCOMPARE(left.size(), planted.size() + 1);
    }
};

QTEST_MAIN(SafeFileTest)
#include "SafeFileTest.moc"
