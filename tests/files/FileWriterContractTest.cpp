// One promise, four writers: the capture file, an export, the settings file and the print picture
// all replace their file the same way (files/FileWriter.h). Every case runs against each of them.

#include "document/CaptureFile.h"
#include "export/ExportCapture.h"
#include "link/SettingsFile.h"
#include "print/bitmap/DibFile.h"
#include "tests/common/FileBytes.h"
#include "tests/common/ListingBuilder.h"
#include "tests/common/MessageRecorder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <functional>
#include <string>

#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace veldran;

namespace {

using Writer = std::function<bool(const std::string& path)>;

mode_t ModeOf(const QString& path)
{
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? (info.st_mode & 07777) : 0;
}

void OneSample(CVELDRANDoc& document)
{
    test::Receive(document, test::Listing({{0xFFFF, 0, 0xFFFF}}));
}

} // namespace

Q_DECLARE_METATYPE(Writer)

class FileWriterContractTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { std::signal(SIGXFSZ, SIG_IGN); }

    void init()
    {
        QVERIFY(m_folder.isValid() && m_elsewhere.isValid());
        QDir(m_folder.path()).removeRecursively();
        QVERIFY(QDir().mkpath(m_folder.path()));
        m_target = m_folder.filePath(QStringLiteral("target"));
        QVERIFY(test::WriteFileBytes(m_target, "old content"));
    }

    void linkTheUserNamedIsFollowed_data() { Writers(); }
    void linkTheUserNamedIsFollowed()
    {
        QFETCH(Writer, writer);
        const QString real = m_elsewhere.filePath(QStringLiteral("real"));
        QVERIFY(test::WriteFileBytes(real, "old content"));
        QVERIFY(QFile::remove(m_target) && QFile::link(real, m_target));
        QVERIFY(writer(Name(m_target)));
        QVERIFY(test::IsSymbolicLink(m_target));
        QVERIFY(test::ReadFileBytes(real) != "old content" && !test::ReadFileBytes(real).isEmpty());
        QVERIFY(OnlyTheTargetIsLeft());
    }

    // In a folder anyone may write with the sticky bit (/tmp), a link is followed only when this
    // user or the folder's owner made it, as fs.protected_symlinks has it, root included; another
    // user's link is refused and nothing is written. Elsewhere any link the user names is followed.
    void linkInSharedFolder_data()
    {
        QTest::addColumn<Writer>("writer");
        QTest::addColumn<uint>("linkOwner");
        QTest::addColumn<uint>("folderOwner");
        QTest::addColumn<bool>("sticky");
        QTest::addColumn<bool>("followed");
        const uint self = ::geteuid();
        for (const auto& [name, writer] : AllWriters()) {
            QTest::newRow(qPrintable(name + ", another user's link in /tmp")) << writer << 4321u << self << true << false;
            QTest::newRow(qPrintable(name + ", own link in /tmp")) << writer << self << 4321u << true << true;
            QTest::newRow(qPrintable(name + ", the folder owner's link")) << writer << 4321u << 4321u << true << true;
            QTest::newRow(qPrintable(name + ", another user's link elsewhere")) << writer << 4321u << self << false << true;
        }
    }
    void linkInSharedFolder()
    {
        QFETCH(Writer, writer);
        QFETCH(uint, linkOwner);
        QFETCH(uint, folderOwner);
        QFETCH(bool, sticky);
        QFETCH(bool, followed);
        if (::geteuid() != 0)
            QSKIP("needs root to give a link and a folder to another user (lchown)");
        const std::string shared = Name(m_folder.filePath(QStringLiteral("shared")));
        QCOMPARE(::mkdir(shared.c_str(), 0700), 0);
        QCOMPARE(::chmod(shared.c_str(), sticky ? 01777 : 0777), 0);
        QCOMPARE(::chown(shared.c_str(), folderOwner, folderOwner), 0);
        const QString real = m_elsewhere.filePath(QStringLiteral("real"));
        QVERIFY(test::WriteFileBytes(real, "old content"));
        const std::string link = shared + "/out";
        QCOMPARE(::symlink(Name(real).c_str(), link.c_str()), 0);
        QCOMPARE(::lchown(link.c_str(), linkOwner, linkOwner), 0);

        QCOMPARE(writer(link), followed);
        QCOMPARE(test::ReadFileBytes(real) != "old content", followed);
        QCOMPARE(QFile::symLinkTarget(QString::fromStdString(link)), real);
        QCOMPARE(QDir(QString::fromStdString(shared)).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
                 QStringList{"out"});
    }

    void plantedTemporaryNameIsNeverOpened_data() { Writers(); }
    void plantedTemporaryNameIsNeverOpened()
    {
        QFETCH(Writer, writer);
        const QString victim = m_elsewhere.filePath(QStringLiteral("victim"));
        QVERIFY(test::WriteFileBytes(victim, "precious"));
        const QStringList planted{".target.XXXXXX", ".target.000000", ".target.part", "target.tmp"};
        for (const QString& name : planted)
            QVERIFY(QFile::link(victim, m_folder.filePath(name)));
        QVERIFY(writer(Name(m_target)));
        QCOMPARE(test::ReadFileBytes(victim), QByteArray("precious"));
        QCOMPARE(QDir(m_folder.path()).entryList(QDir::Files | QDir::Hidden | QDir::System).size(), planted.size() + 1);
    }

    void modeIsKeptAndNewFilesFollowTheUmask_data() { Writers(); }
    void modeIsKeptAndNewFilesFollowTheUmask()
    {
        QFETCH(Writer, writer);
        QCOMPARE(::chmod(Name(m_target).c_str(), 0640), 0);
        QVERIFY(writer(Name(m_target)));
        QCOMPARE(ModeOf(m_target), mode_t(0640));

        const QString fresh = m_folder.filePath(QStringLiteral("fresh"));
        const mode_t saved = ::umask(027);
        const bool written = writer(Name(fresh));
        ::umask(saved);
        QVERIFY(written);
        QCOMPARE(ModeOf(fresh), mode_t(0640));
    }

    void failureKeepsTheOldFileAndLeavesNoTemporary_data()
    {
        QTest::addColumn<Writer>("writer");
        QTest::addColumn<QString>("failure");
        for (const auto& [name, writer] : AllWriters())
            for (const char* failure : {"read-only folder", "read-only target", "full disk"})
                QTest::newRow(qPrintable(QStringLiteral("%1, %2").arg(name, failure))) << writer << QString(failure);
    }
    void failureKeepsTheOldFileAndLeavesNoTemporary()
    {
        QFETCH(Writer, writer);
        QFETCH(QString, failure);
        const std::string folder = Name(m_folder.path());
        const std::string target = Name(m_target);
        const bool written = AsUnprivilegedUser([&] {
            if (failure == QLatin1String("read-only folder"))
                ::chmod(folder.c_str(), 0555);
            else if (failure == QLatin1String("read-only target"))
                ::chmod(target.c_str(), 0444);
            else
                LimitFileSize(4);
            return writer(target);
        });
        ::chmod(folder.c_str(), 0755);
        QVERIFY(!written);
        QCOMPARE(test::ReadFileBytes(m_target), QByteArray("old content"));
        QVERIFY(OnlyTheTargetIsLeft());
    }

private:
    static void LimitFileSize(rlim_t bytes)
    {
        rlimit limit {};
        ::getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }

    // Runs attempt in a child process as a user without privileges (root writes whatever the
    // permissions say), on a folder that user owns; its answer is the child's exit status.
    bool AsUnprivilegedUser(const std::function<bool()>& attempt)
    {
        const std::string folder = Name(m_folder.path());
        const uid_t nobody = ::geteuid() == 0 ? 65534 : ::geteuid();
        for (const QString& name : QDir(m_folder.path()).entryList(QDir::Files | QDir::Hidden))
            (void)!::chown(Name(m_folder.filePath(name)).c_str(), nobody, nobody);
        (void)!::chown(folder.c_str(), nobody, nobody);
        const pid_t child = ::fork();
        if (child == 0) {
            const bool dropped = ::geteuid() != 0 || (::setgroups(0, nullptr) == 0 && ::setgid(nobody) == 0 && ::setuid(nobody) == 0);
            ::_exit(dropped && attempt() ? 0 : 1);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }

    static std::string Name(const QString& path) { return QFile::encodeName(path).toStdString(); }

    static std::vector<std::pair<QString, Writer>> AllWriters()
    {
        return {
            {"capture file", [](const std::string& path) {
                 CVELDRANDoc document;
                 OneSample(document);
                 return static_cast<bool>(SaveCaptureFile(document, ChannelNames{}, path));
             }},
            {"export", [](const std::string& path) {
                 CVELDRANDoc document;
                 OneSample(document);
                 ExportableCapture capture;
                 capture.nSampleCount = document.ReadableSampleCount();
                 capture.pSamples = document.Samples().data();
                 for (int ch = 0; ch < kChannelCount; ++ch)
                     capture.strNames[static_cast<size_t>(ch)] = DefaultChannelName(ch);
                 return ExportCapture(path, ExportFormat::Csv, capture).bOk;
             }},
            {"settings file", [](const std::string& path) { return WriteSettings(path, 2, 1, nullptr); }},
            {"print picture", [](const std::string& path) {
                 return DibReplaceFile(path, std::vector<uint8_t>{'B', 'M', 1, 2, 3});
             }},
        };
    }

    static void Writers()
    {
        QTest::addColumn<Writer>("writer");
        for (const auto& [name, writer] : AllWriters())
            QTest::newRow(qPrintable(name)) << writer;
    }

    bool OnlyTheTargetIsLeft() const
    {
        return QDir(m_folder.path()).entryList(QDir::Files | QDir::Hidden | QDir::System) == QStringList{"target"};
    }

    test::MessageRecorder m_messages; // the capture writer's failure box
    QTemporaryDir m_folder;
    QTemporaryDir m_elsewhere;
    QString m_target;
};

QTEST_MAIN(FileWriterContractTest)
#include "FileWriterContractTest.moc"
