// File > Export in the window: enabled only while a capture is shown, it writes the document's
// samples under the view's working names and clock period, and never touches the document's file,
// title or modified flag.

#include "tests/common/MessageRecorder.h"
#include "tests/common/TestEnvironment.h"

#include "app/AppShell.h"
#include "app/CommandRouter.h"
#include "app/DocumentCommands.h"
#include "app/ExportCommand.h"
#include "app/MainFrame.h"
#include "app/MenuTable.h"
#include "resources/Ids.h"
#include "tests/view/ViewProbe.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace veldran;

class ExportCommandTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::MessageRecorder> m_messages;
    std::unique_ptr<AppShell> m_shell;
    QTemporaryDir m_folder;
    ExportCommand::Choice m_choice;
    QString m_proposed;
    int m_asked = 0;

    QString Path(const char* name) const { return m_folder.filePath(QString::fromLatin1(name)); }

    // Opens a capture of three samples; the messages of opening it (the test has no serial port)
    // are forgotten.
    bool OpenThreeSamples()
    {
        const bool opened = m_shell->Files().OpenDocumentFile(QStringLiteral(VELDRAN_TEST_DATA "/document/three_samples.vxr"));
        m_messages->Clear();
        return opened;
    }

    QByteArray Read(const QString& path) const
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
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
        m_shell = std::make_unique<AppShell>();
        QVERIFY(m_shell->ProcessShellCommand(CommandLineInfo{}));
        m_asked = 0;
        m_shell->Export().SetPrompt([this](const QString& proposed) {
            ++m_asked;
            m_proposed = proposed;
            return m_choice;
        });
    }

    void cleanup()
    {
        m_shell.reset();
        m_messages.reset();
    }

    void menuItemFollowsSaveAs()
    {
        const auto& items = MainMenuItems();
        const auto saveAs = std::find_if(items.begin(), items.end(), [](const MenuItemEntry& e) { return e.id == ids::kFileSaveAs; });
        QVERIFY(saveAs != items.end() && saveAs + 1 != items.end());
        QCOMPARE(QString::fromUtf8((saveAs + 1)->label), QStringLiteral("Export(&E)..."));
        QCOMPARE((saveAs + 1)->id, ids::kFileExport);
        QVERIFY(!CommandPrompt(ids::kFileExport).empty());
        QCOMPARE(QString::fromStdString(CommandToolTip(ids::kFileExport)), QStringLiteral("내보내기"));
        QCOMPARE(m_shell->Router().Action(ids::kFileExport)->statusTip(),
                 QString::fromStdString(CommandPrompt(ids::kFileExport)));
    }

    void enabledOnlyWhileACaptureIsShown()
    {
        CommandRouter& router = m_shell->Router();
        QVERIFY(!router.IsEnabled(ids::kFileExport));
        m_choice = {Path("never.vcd"), ExportFormat::Vcd};
        QVERIFY(!router.Execute(ids::kFileExport));
        QCOMPARE(m_asked, 0);
        QVERIFY(OpenThreeSamples());
        router.UpdateEnabledState();
        QVERIFY(router.Action(ids::kFileExport)->isEnabled());
        // New File clears the capture, and the command goes with it.
        router.Execute(ids::kFileNew);
        router.UpdateEnabledState();
        QVERIFY(!router.Action(ids::kFileExport)->isEnabled());
        QVERIFY(!QFile::exists(Path("never.vcd")));
    }

    void exportsTheViewsNamesAndClock_data()
    {
        QTest::addColumn<int>("clockIndex");
        QTest::addColumn<QByteArray>("header");
        QTest::addColumn<QByteArray>("secondRow");
        QTest::newRow("clock OFF") << 0 << QByteArray("Sample,데이터 버스,\" CH  A01\",") << QByteArray("1,1,0,1,0,0,1,");
        QTest::newRow("40 ns") << 21 << QByteArray("Sample,Time (s),데이터 버스,\" CH  A01\",")
                               << QByteArray("1,0.00000004,1,0,1,0,0,1,");
    }

    void exportsTheViewsNamesAndClock()
    {
        QFETCH(int, clockIndex);
        QFETCH(QByteArray, header);
        QFETCH(QByteArray, secondRow);
        QVERIFY(OpenThreeSamples());
        CVELDRANDoc& document = m_shell->Document();
        test::Rename(m_shell->Session(), 0, QStringLiteral("데이터 버스"));
        test::Rename(m_shell->Session(), 1, QStringLiteral(" CH  A01"));
        test::ChooseClockPeriod(m_shell->Session(), clockIndex);
        document.SetModifiedFlag(true);
        const std::string pathBefore = document.GetPathName();
        const std::string titleBefore = document.GetTitle();
        const QString captionBefore = m_shell->Frame().windowTitle();

        m_choice = {Path("names.csv"), ExportFormat::Csv};
        QVERIFY(m_shell->Router().Execute(ids::kFileExport));
        QCOMPARE(m_asked, 1);
        QCOMPARE(m_proposed, QFileInfo(QString::fromStdString(pathBefore)).path() + QStringLiteral("/three_samples.vcd"));
        const QList<QByteArray> rows = Read(m_choice.path).split('\n');
        QCOMPARE(rows.size(), 5); // header, three samples, the empty rest after the last line end
        QVERIFY2(rows[0].startsWith(header), rows[0].constData());
        QVERIFY2(rows[2].startsWith(secondRow), rows[2].constData());
        QVERIFY(m_messages->messages.empty());
        // The document is as it was.
        QCOMPARE(document.GetPathName(), pathBefore);
        QCOMPARE(document.GetTitle(), titleBefore);
        QVERIFY(document.IsModified());
        QCOMPARE(m_shell->Frame().windowTitle(), captionBefore);
    }

    // The session's buses and markers go into the dump and its save file; sample 1 holds D1 = 0
    // and D0 = 1.
    void exportsTheSessionsBusesAndMarkers()
    {
        QVERIFY(OpenThreeSamples());
        m_shell->Session().SetBuses({{"LOW", {1, 0}, ERadix::Hex}});
        QVERIFY(m_shell->Session().AddMarker({2, "end", "", 0xFF0000}));
        m_choice = {Path("annotated.vcd"), ExportFormat::Vcd};
        QVERIFY(m_shell->Router().Execute(ids::kFileExport));
        const QByteArray dump = Read(m_choice.path);
        QVERIFY2(dump.contains("$var wire 2 ~0 LOW [1:0] $end\n") && dump.contains("b01 ~0\n"), dump.constData());
        QVERIFY(Read(Path("annotated.gtkw")).contains("\n[markername] Aend\n"));
        QVERIFY(m_messages->messages.empty());
    }

    void eachFormatAsChosen_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("format");
        QTest::addColumn<QByteArray>("start");
        QTest::newRow("vcd") << "a.vcd" << int(ExportFormat::Vcd) << QByteArray("$version VELDRAN");
        QTest::newRow("csv") << "a.csv" << int(ExportFormat::Csv) << QByteArray("Sample,");
        QTest::newRow("sr") << "a.sr" << int(ExportFormat::SigrokSession) << QByteArray("PK\x03\x04");
    }

    void eachFormatAsChosen()
    {
        QFETCH(QString, name);
        QFETCH(int, format);
        QFETCH(QByteArray, start);
        QVERIFY(OpenThreeSamples());
        QTemporaryDir folder;
        m_choice = {folder.filePath(name), static_cast<ExportFormat>(format)};
        m_shell->Export().OnFileExport();
        QVERIFY(Read(m_choice.path).startsWith(start));
        QCOMPARE(QFile::exists(folder.filePath(QStringLiteral("a.gtkw"))), format == int(ExportFormat::Vcd));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), format == int(ExportFormat::Vcd) ? 2 : 1);
    }

    void cancelOrFailureWritesNothing()
    {
        QVERIFY(OpenThreeSamples());
        m_choice = {};
        m_shell->Export().OnFileExport();
        QCOMPARE(m_asked, 1);
        QVERIFY(m_messages->messages.empty());
        m_choice = {Path("no-such-folder/a.sr"), ExportFormat::SigrokSession};
        m_shell->Export().OnFileExport();
        QCOMPARE(m_messages->messages.size(), size_t(1));
        QVERIFY(m_messages->Last().find("no-such-folder/a.sr") != std::string::npos);
        QVERIFY(!QFile::exists(m_choice.path));
    }
};

QTEST_MAIN(ExportCommandTest)
#include "ExportCommandTest.moc"
