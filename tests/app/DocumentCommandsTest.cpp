// The File commands: saving and reopening through the shell, the offer to save a modified capture
// before New, Open and Exit, the recent-file list, files that cannot be opened or are refused, and
// what the screen, Save and Export hold after a reception is cancelled.

#include "tests/common/FileBytes.h"
#include "tests/common/ListingBuilder.h"
#include "tests/common/MessageRecorder.h"
#include "tests/common/PipeRescuer.h"
#include "tests/common/TestEnvironment.h"

#include "app/AppShell.h"
#include "app/CommandRouter.h"
#include "app/DocumentCommands.h"
#include "app/MainFrame.h"
#include "app/RecentFileList.h"
#include "document/CapturePrefetch.h"
#include "app/ExportCommand.h"
#include "i18n/Translation.h"
#include "link/ListingJournal.h"
#include "link/Reception.h"
#include "resources/Ids.h"
#include "resources/Strings.h"
#include "tests/view/ViewProbe.h"

#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

using namespace veldran;
using Answer = DocumentCommands::Prompts::Answer;

namespace {

// A received listing of three samples.
void Receive(CVELDRANDoc& document)
{
    test::Receive(document, test::Listing({{0, 0x8000, 0}, {1, 0x8000, 0}, {0, 0x8000, 0xFFFF}}));
}

// A port that is always open, for a reception into the shell's session.
class OpenPort : public ReceptionPort {
public:
    bool OpenForReception() override { return true; }
    void PurgePort() override {}
};

const std::vector<test::Cells> kShownCells = test::RandomCells(5, 7);
const std::vector<test::Cells> kReceivedCells = test::RandomCells(3, 11);

} // namespace

class DocumentCommandsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::MessageRecorder> m_messages;
    std::unique_ptr<AppShell> m_shell;
    QTemporaryDir m_folder;
    QString m_savePath;
    QString m_openPath;
    QList<Answer> m_answers;
    int m_asked = 0;

    QString Path(const char* name) const { return m_folder.filePath(QString::fromLatin1(name)); }

    // What the window shows: the count (the counters and the strip), the traces' samples, the
    // value field and some of the levels; Expected: the same for the first count samples of cells.
    QStringList Shown()
    {
        const int count = m_shell->Session().SampleCount();
        QStringList shown{QString::number(count), QString::number(m_shell->View().Trace(0).SampleCount()),
                          test::ControlText(m_shell->View(), ids::kXPosData)};
        for (int s = 0; s < count; ++s)
            for (int ch = 0; ch < kChannelCount; ch += 5)
                shown << QString::number(m_shell->Document().Level(s, ch));
        return shown;
    }
    static QStringList Expected(const std::vector<test::Cells>& cells, int count)
    {
        QStringList shown{QString::number(count), QString::number(count), Tr(text::kNoData)};
        if (count > 0)
            shown[2] = QString::fromStdString(test::CellToken(cells[0][0]) + "  " + test::CellToken(cells[0][1]) + "  "
                                              + test::CellToken(cells[0][2]));
        for (size_t s = 0; s < static_cast<size_t>(count); ++s)
            for (int ch = 0; ch < kChannelCount; ch += 5)
                shown << QString::number((cells[s][static_cast<size_t>(ch / 16)] >> (ch % 16)) & 1);
        return shown;
    }

    // Opens a capture of kShownCells from its file; the window shows it, modified (renamed).
    void OpenShownCapture()
    {
        const QString path = Path("shown.vxr");
        QVERIFY(test::SaveListing(kShownCells, {}, QFile::encodeName(path).toStdString()));
        QVERIFY(m_shell->Files().OpenDocumentFile(path));
        test::Rename(m_shell->Session(), 3, QStringLiteral("renamed"));
        m_shell->Document().SetModifiedFlag();
        m_messages->Clear();
    }

    // Saves as a new file and reads it back: the samples it holds; -1 when Save refused.
    int SavedSamples(const char* name)
    {
        m_savePath = Path(name);
        if (!m_shell->Files().OnFileSaveAs())
            return -1;
        CVELDRANDoc read;
        (void)LoadCaptureFile(read, QFile::encodeName(m_savePath).toStdString());
        return read.SampleCount();
    }

    // The message boxes about a sidecar file: those that name one.
    int SidecarMessages() const
    {
        int count = 0;
        for (const auto& message : m_messages->messages)
            count += message.text.find(".veldran") != std::string::npos ? 1 : 0;
        return count;
    }

private slots:
    void initTestCase()
    {
        test::UseTestSettings();
        test::MapSerialPorts();
        QVERIFY(m_folder.isValid());
    }

    void init()
    {
        m_messages = std::make_unique<test::MessageRecorder>();
        QSettings().remove(QStringLiteral("Recent File List"));
        (void)RemoveListingJournal(ListingJournalPath()); // a capture an earlier case received unsaved
        StartShell();
    }

    void StartShell()
    {
        m_shell = std::make_unique<AppShell>();
        QVERIFY(m_shell->ProcessShellCommand(CommandLineInfo{}));
        m_asked = 0;
        m_answers.clear();
        DocumentCommands::Prompts prompts;
        prompts.openPath = [this] { return m_openPath; };
        prompts.savePath = [this](const QString&) { return m_savePath; };
        prompts.saveChanges = [this](const QString&) {
            ++m_asked;
            return m_answers.isEmpty() ? Answer::Cancel : m_answers.takeFirst();
        };
        m_shell->Files().SetPrompts(prompts);
    }

    void cleanup()
    {
        m_shell.reset();
        m_messages.reset();
    }

    void saveAsThenOpenShowsTheSameCapture()
    {
        CVELDRANDoc& document = m_shell->Document();
        CVELDRANView& view = m_shell->View();
        Receive(document);
        test::Rename(m_shell->Session(), 5, QStringLiteral("데이터 5"));
        m_savePath = Path("first.vxr");
        QVERIFY(m_shell->Files().OnFileSaveAs());
        QCOMPARE(QString::fromStdString(document.GetTitle()), QStringLiteral("first.vxr"));
        QCOMPARE(m_shell->Frame().windowTitle(), QStringLiteral("first.vxr - VELDRAN"));
        QCOMPARE(m_shell->RecentFiles().Files().first(), QFileInfo(m_savePath).canonicalFilePath());

        m_shell->Session().ClearCapture();
        test::Rename(m_shell->Session(), 5, QStringLiteral("other"));
        m_openPath = m_savePath;
        m_shell->Files().OnFileOpen();
        QVERIFY(document.IsDataReady());
        QCOMPARE(document.SampleCount(), 3);
        QCOMPARE(m_shell->Session().SampleCount(), 3);
        QCOMPARE(int(document.Level(1, 0)), 1);
        QCOMPARE(int(document.Level(2, 47)), 1);
        QCOMPARE(m_shell->Session().Name(5), QStringLiteral("데이터 5"));
        QCOMPARE(view.Trace(5).Label(), QStringLiteral("데이터 5"));

        // Saving the opened capture again writes the same file.
        QFile first(m_savePath);
        QVERIFY(first.open(QIODevice::ReadOnly));
        const QByteArray before = first.readAll();
        m_savePath = Path("second.vxr");
        QVERIFY(m_shell->Files().OnFileSaveAs());
        QFile second(m_savePath);
        QVERIFY(second.open(QIODevice::ReadOnly));
        QCOMPARE(second.readAll(), before);
    }

    void modifiedCaptureIsOfferedForSaving()
    {
        CVELDRANDoc& document = m_shell->Document();
        Receive(document);
        document.SetModifiedFlag();
        // Cancel keeps everything.
        m_answers = {Answer::Cancel};
        m_shell->Router().Execute(57600);
        QCOMPARE(m_asked, 1);
        QVERIFY(document.IsDataReady());
        // No: New goes ahead without saving.
        m_answers = {Answer::No};
        m_shell->Router().Execute(57600);
        QVERIFY(!document.IsDataReady());
        QVERIFY(!document.IsModified());
        // Yes before Open saves first (Save As, as the capture has no file yet).
        Receive(document);
        document.SetModifiedFlag();
        m_answers = {Answer::Yes};
        m_savePath = Path("saved-first.vxr");
        m_openPath = QString();
        m_shell->Files().OnFileOpen();
        QVERIFY(QFile::exists(m_savePath));
        QVERIFY(!document.IsModified());
    }

    void closingAsksAndCancelKeepsTheWindow()
    {
        CVELDRANDoc& document = m_shell->Document();
        Receive(document);
        document.SetModifiedFlag();
        m_shell->Frame().show();
        m_answers = {Answer::Cancel};
        QVERIFY(!m_shell->Frame().close());
        QVERIFY(m_shell->Frame().isVisible());
        m_answers = {Answer::No};
        QVERIFY(m_shell->Frame().close());
    }

    // Opening again the file at the top of the list changes nothing, and nothing is written; any
    // other file goes to the top and the list is written.
    void reopeningTheLastFileWritesNothing()
    {
        Receive(m_shell->Document());
        for (const char* name : {"second.vxr", "first.vxr"}) {
            m_savePath = Path(name);
            QVERIFY(m_shell->Files().OnFileSaveAs());
        }
        const QString settingsFile = QSettings().fileName();
        QVERIFY(QFile::remove(settingsFile));
        QVERIFY(m_shell->Files().OpenDocumentFile(Path("first.vxr")));
        QVERIFY(!QFile::exists(settingsFile));
        QCOMPARE(m_shell->RecentFiles().Files().first(), QFileInfo(Path("first.vxr")).canonicalFilePath());

        QVERIFY(m_shell->Files().OpenDocumentFile(Path("second.vxr")));
        QVERIFY(QFile::exists(settingsFile));
        RecentFileList stored;
        stored.ReadList();
        QCOMPARE(stored.Files(), (QStringList{QFileInfo(Path("second.vxr")).canonicalFilePath(),
                                              QFileInfo(Path("first.vxr")).canonicalFilePath()}));
    }

    // A capture file that lacks some of its channel names opens with the box that says so: the
    // same box whether the file was read ahead or on the spot, in either language.
    void incompleteCaptureOpensWithItsBox_data()
    {
        QTest::addColumn<bool>("ahead");
        QTest::addColumn<bool>("english");
        QTest::newRow("on the spot") << false << false;
        QTest::newRow("read ahead") << true << false;
        QTest::newRow("on the spot, in English") << false << true;
        QTest::newRow("read ahead, in English") << true << true;
    }

    void incompleteCaptureOpensWithItsBox()
    {
        QFETCH(bool, ahead);
        QFETCH(bool, english);
        QFile stored(QStringLiteral(VELDRAN_TEST_DATA "/document/three_samples.vxr"));
        QVERIFY(stored.open(QIODevice::ReadOnly));
        QList<QByteArray> lines = stored.readAll().split('\n');
        QCOMPARE(lines.size(), 1 + 12 + 4 * 3 + 48 + 1);
        lines.resize(lines.size() - 11); // ten names and the end of the last line
        const QByteArray bytes = lines.join('\n') + '\n';
        const QString path = Path("names-cut.vxr");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(bytes), bytes.size());
        file.close();

        QVERIFY(UseUiLanguage(english ? UiLanguage::English : UiLanguage::Korean));
        QString translated = Tr(text::kCaptureIncomplete);
        for (const char* value : {"3", "3", "38"})
            translated.replace(translated.indexOf(QStringLiteral("%d")), 2, QString::fromLatin1(value));
        CCapturePrefetch prefetch;
        if (ahead)
            prefetch.Start(QFile::encodeName(path).toStdString());
        m_messages->Clear();
        const bool opened = m_shell->Files().OpenDocumentFile(path, ahead ? &prefetch : nullptr);
        UseUiLanguage(UiLanguage::Korean);
        QVERIFY(opened);
        QCOMPARE(m_shell->Document().SampleCount(), 3);
        // The file's box comes first; the view that shows the capture may add its own (no port here).
        QVERIFY(!m_messages->messages.empty());
        const UserMessage& box = m_messages->messages.front();
        if (english) {
            QVERIFY(!translated.startsWith(QString::fromUtf8(text::kCaptureIncomplete).left(4)));
            QCOMPARE(QString::fromStdString(box.text), translated);
        } else {
            char expected[512];
            std::snprintf(expected, sizeof expected, text::kCaptureIncomplete, 3, 3, 38);
            QCOMPARE(box.text, std::string(expected));
        }
        QCOMPARE(box.caption, std::string(text::kAppTitle));
        QCOMPARE(box.icon, MessageIcon::Exclamation);
    }

    void refusedSaveShowsWhy()
    {
        m_savePath = Path("nothing.vxr");
        m_shell->Document().BeginListing(); // no sample to save
        m_messages->Clear();
        QVERIFY(!m_shell->Files().OnFileSaveAs());
        QCOMPARE(m_messages->messages.size(), size_t(1));
        QCOMPARE(m_messages->Last(), std::string(text::kNothingToSave));
        QCOMPARE(m_messages->messages.front().icon, MessageIcon::Exclamation);
        QVERIFY(!QFile::exists(m_savePath));
    }

    void unreadableRecentFileLeavesTheList()
    {
        RecentFileList& recent = m_shell->RecentFiles();
        recent.Add(Path("gone.vxr"));
        m_shell->Frame().UpdateRecentFileMenu();
        m_shell->Files().OnRecentFile(0);
        QVERIFY(!recent.Files().contains(Path("gone.vxr")));
        QVERIFY(!m_messages->messages.empty());
        QVERIFY(m_messages->Last().find("gone.vxr") != std::string::npos);
    }

    void droppedFileOpens()
    {
        CVELDRANDoc& document = m_shell->Document();
        Receive(document);
        m_savePath = Path("dropped.vxr");
        QVERIFY(m_shell->Files().OnFileSaveAs());
        m_shell->Session().ClearCapture();
        emit m_shell->Frame().fileDropped(m_savePath);
        QVERIFY(document.IsDataReady());
        QCOMPARE(QString::fromStdString(document.GetTitle()), QStringLiteral("dropped.vxr"));
    }

    void aNamedPipeIsRefusedOnEveryRoad_data()
    {
        QTest::addColumn<QString>("road");
        QTest::newRow("File > Open") << "open";
        QTest::newRow("recent file") << "recent";
        QTest::newRow("dropped file") << "drop";
        QTest::newRow("command line") << "command line";
    }
    void aNamedPipeIsRefusedOnEveryRoad()
    {
        QFETCH(QString, road);
        test::PipeRescuer pipe(QFile::encodeName(Path("pipe.vxr")).toStdString());
        QVERIFY(pipe.IsMade());
        const QString path = QFile::decodeName(pipe.Path().c_str());
        bool started = true;
        if (road == "open") {
            m_openPath = path;
            m_shell->Files().OnFileOpen();
        } else if (road == "recent") {
            m_shell->RecentFiles().Add(path);
            m_shell->Files().OnRecentFile(0);
        } else if (road == "drop") {
            emit m_shell->Frame().fileDropped(path);
        } else {
            AppShell shell;
            CommandLineInfo info;
            info.m_nShellCommand = CommandLineInfo::ShellCommand::FileOpen;
            info.m_strFileName = path;
            started = shell.ProcessShellCommand(info);
        }
        pipe.Finish();
        QVERIFY2(!pipe.WasNeeded(), "the open waited for a writer");
        QVERIFY(!started || !m_shell->Document().IsDataReady());
        QVERIFY(!m_messages->messages.empty());
        QVERIFY(m_messages->Last().find(pipe.Path()) != std::string::npos);
    }

    // A cancel leaves one capture that the screen, Save and Export agree on: before the first byte
    // the one shown, untouched; in the middle the whole lines received (the line cut short left out,
    // without a box), modified; before a whole line none at all, with nothing to offer to save.
    void cancelLeavesOneCapture_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("received"); // -1: the capture shown before stays
        const std::string cut = "0003  " + test::CellToken(1) + " ";
        QTest::newRow("before the first byte") << QByteArray() << -1;
        QTest::newRow("in the middle") << QByteArray::fromStdString(test::ListingText(kReceivedCells) + cut) << 3;
        QTest::newRow("before a whole line") << QByteArray::fromStdString(test::ListingText({}) + cut) << 0;
    }
    void cancelLeavesOneCapture()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, received);
        OpenShownCapture();
        OpenPort port;
        CReception reception(port, m_shell->Session(), &m_shell->Frame());
        reception.OnLoad();
        for (char c : bytes)
            reception.OnSerialChar(static_cast<unsigned char>(c), 1);
        QTest::mouseClick(reception.TransferDialog()->findChild<QPushButton*>(QString::number(ids::kCancelTransfer)),
                          Qt::LeftButton);

        const int count = received < 0 ? 5 : received;
        QCOMPARE(Shown(), Expected(received < 0 ? kShownCells : kReceivedCells, count));
        QCOMPARE(m_shell->Document().GetTitle(), std::string(received < 0 ? "shown.vxr" : filetext::kUntitled));
        QCOMPARE(m_shell->Document().IsModified(), received != 0);
        QCOMPARE(m_shell->Export().CanExport(), count > 0);
        QCOMPARE(m_shell->Export().CurrentCapture().nSampleCount, count);
        QVERIFY(m_messages->messages.empty());
        QCOMPARE(SavedSamples("after-cancel.vxr"), count > 0 ? count : -1);
    }

    // A file refused as no capture changes nothing: the capture shown, the names, the title, the
    // path, the modified flag and the recent files stay; only its box is shown. Named on the
    // command line, it starts an empty window.
    void refusedFileChangesNothing_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("text") << QByteArray("Dear diary,\nnothing to see.\n");
        QTest::newRow("negative count") << QByteArray("This file is a VELDRAN's data file. (Data Count=-0003)\nSTATE\n");
        QTest::newRow("empty") << QByteArray();
    }
    void refusedFileChangesNothing()
    {
        QFETCH(QByteArray, bytes);
        OpenShownCapture();
        const std::string path = m_shell->Document().GetPathName();
        const QStringList recent = m_shell->RecentFiles().Files();
        QFile refused(Path("refused.vxr"));
        QVERIFY(refused.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(refused.write(bytes), bytes.size());
        refused.close();

        QVERIFY(m_shell->Files().OpenDocumentFile(refused.fileName()));
        QCOMPARE(Shown(), Expected(kShownCells, 5));
        QCOMPARE(m_shell->Session().Name(3), QStringLiteral("renamed"));
        QCOMPARE(m_shell->Document().GetPathName(), path);
        QVERIFY(m_shell->Document().IsModified());
        QCOMPARE(m_shell->RecentFiles().Files(), recent);
        QCOMPARE(SavedSamples("still.vxr"), 5);

        AppShell shell;
        CommandLineInfo info;
        info.m_nShellCommand = CommandLineInfo::ShellCommand::FileOpen;
        info.m_strFileName = refused.fileName();
        QVERIFY(shell.ProcessShellCommand(info));
        QVERIFY(!shell.Document().IsDataReady() && shell.Document().GetPathName().empty());
    }
    // A listing a killed reception left is offered when the window starts; taken, it is shown
    // unsaved and its journal stays until the capture is saved; declined, the journal goes.
    void interruptedListingIsOfferedAtStart_data()
    {
        QTest::addColumn<bool>("take");
        QTest::newRow("taken") << true;
        QTest::newRow("declined") << false;
    }
    void interruptedListingIsOfferedAtStart()
    {
        QFETCH(bool, take);
        m_shell.reset();
        const std::string listing = test::ListingText(kReceivedCells);
        {
            CListingJournal journal;
            QCOMPARE(journal.Open(), 0);
            journal.Append(reinterpret_cast<const unsigned char*>(listing.data()), listing.size());
        }
        int offered = 0;
        auto* answer = new QTimer;
        connect(answer, &QTimer::timeout, answer, [answer, take, &offered] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            ++offered;
            answer->deleteLater();
            box->button(take ? QMessageBox::Yes : QMessageBox::No)->click();
        });
        answer->start(5);
        StartShell();
        QCOMPARE(offered, 1);
        QCOMPARE(QFile::exists(QString::fromStdString(ListingJournalPath())), take);
        if (!take) {
            QVERIFY(!m_shell->Document().IsDataReady());
            return;
        }
        QCOMPARE(Shown(), Expected(kReceivedCells, 3));
        QVERIFY(m_shell->Document().IsModified());
        QVERIFY(m_messages->Saw(Tr(text::kListingRecovered).replace(QStringLiteral("%d"), QStringLiteral("3")).toStdString()));
        m_savePath = Path("recovered.vxr");
        QVERIFY(m_shell->Router().Execute(ids::kFileSaveAs));
        QCOMPARE(SavedSamples("recovered.vxr"), 3);
        QVERIFY(!QFile::exists(QString::fromStdString(ListingJournalPath())));
    }
    // Buses and markers are kept beside the capture: Save As writes both, opening reads both, and
    // the capture file holds the same bytes with or without them.
    void busesAndMarkersSurviveSaveAndOpen()
    {
        CCaptureSession& session = m_shell->Session();
        Receive(m_shell->Document());
        m_savePath = Path("plain.vxr");
        QVERIFY(m_shell->Files().OnFileSaveAs());
        QVERIFY(!QFile::exists(m_savePath + QStringLiteral(".veldran"))); // nothing to keep: none made

        session.SetBuses({Bus{"DATA", {7, 6, 5, 4, 3, 2, 1, 0}, ERadix::Hex}, Bus{"CTRL", {47, 16}, ERadix::Binary}});
        for (int sample : {2, 0, 1})
            QVERIFY(session.AddMarker(Marker{sample, "m" + std::to_string(sample), "note\nline", 0x00FF00}));
        QCOMPARE(session.Markers().front().nSample, int64_t{0});
        const CaptureAnnotations kept = session.Annotations();
        m_savePath = Path("kept.vxr");
        QVERIFY(m_shell->Files().OnFileSaveAs());
        QVERIFY(!m_shell->Document().IsModified());
        QCOMPARE(test::ReadFileBytes(m_savePath), test::ReadFileBytes(Path("plain.vxr")));

        m_shell->Files().OnFileNew();
        QVERIFY(session.Markers().empty());
        session.SetBuses({});
        m_answers = {Answer::No};
        m_openPath = m_savePath;
        m_messages->Clear();
        m_shell->Files().OnFileOpen();
        QCOMPARE(SidecarMessages(), 0);
        QVERIFY(session.Annotations() == kept);
        QVERIFY(!m_shell->Document().IsModified());

        // Removing every marker and bus empties the sidecar rather than leaving the old one.
        session.SetBuses({});
        while (!session.Markers().empty())
            session.RemoveMarker(0);
        QVERIFY(m_shell->Files().OnFileSave());
        m_shell->Files().OpenDocumentFile(m_savePath);
        QVERIFY(session.Annotations().Empty());
    }

    // A damaged sidecar: the capture opens, one message names the line, and saving with nothing to
    // keep leaves the damaged file for the user to mend.
    void damagedSidecarOpensTheCaptureWithAMessage()
    {
        Receive(m_shell->Document());
        m_savePath = Path("damaged.vxr");
        QVERIFY(m_shell->Files().OnFileSaveAs());
        const QByteArray damaged = "veldran-annotations 1\nmarker\tnot-a-number\n";
        {
            QFile sidecar(m_savePath + QStringLiteral(".veldran"));
            QVERIFY(sidecar.open(QIODevice::WriteOnly));
            sidecar.write(damaged);
        }
        m_messages->Clear();
        QVERIFY(m_shell->Files().OpenDocumentFile(m_savePath));
        QCOMPARE(m_shell->Session().SampleCount(), 3);
        QCOMPARE(SidecarMessages(), 1);
        QVERIFY(m_shell->Session().Annotations().Empty());

        test::Rename(m_shell->Session(), 1, QStringLiteral("renamed"));
        QVERIFY(m_shell->Files().OnFileSave());
        QCOMPARE(test::ReadFileBytes(m_savePath + QStringLiteral(".veldran")), damaged);
        QVERIFY(m_shell->Session().AddMarker(Marker{1, "kept", {}, 0xFF0000}));
        QVERIFY(m_shell->Files().OnFileSave());
        QVERIFY(test::ReadFileBytes(m_savePath + QStringLiteral(".veldran")).contains("kept"));
    }

    void commandLineFileThatCannotBeReadEndsStartUp()
    {
        AppShell shell;
        CommandLineInfo info;
        info.m_nShellCommand = CommandLineInfo::ShellCommand::FileOpen;
        info.m_strFileName = Path("missing.vxr");
        QVERIFY(!shell.ProcessShellCommand(info));
    }
};

QTEST_MAIN(DocumentCommandsTest)
#include "DocumentCommandsTest.moc"
