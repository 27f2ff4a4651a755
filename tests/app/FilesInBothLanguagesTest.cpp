// What the program writes never depends on the language it speaks: the capture file with the
// default channel names, the settings file with its Korean first line, the Capture Data picture
// (even while the value field holds one of the program's Korean status texts) and the printed page
// with its header come out byte for byte the same in the Korean and the English face.

#include "tests/common/FileBytes.h"
#include "tests/common/Hangul.h"
#include "tests/common/MessageRecorder.h"
#include "tests/common/TestEnvironment.h"

#include "app/AppShell.h"
#include "app/CommandLine.h"
#include "app/CommandRouter.h"
#include "app/MainFrame.h"
#include "document/CaptureFile.h"
#include "document/KoreanCodePage.h"
#include "i18n/Translation.h"
#include "link/SettingsFile.h"
#include "resources/Ids.h"
#include "resources/Strings.h"
#include "link/InstrumentLink.h"
#include "view/VeldranView.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <map>

using namespace veldran;
using test::HasHangul;

namespace {

} // namespace

class FilesInBothLanguagesTest : public QObject {
    Q_OBJECT

private:
    // Each file the program writes, by kind, as one language wrote it.
    std::map<UiLanguage, std::map<QString, QByteArray>> m_files;
    std::map<UiLanguage, QString> m_valueFieldAfterCapture;

    void WriteEverything(UiLanguage language)
    {
        QVERIFY(UseUiLanguage(language));
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir.path())); // Capture Data writes tmp.bmp here
        auto& files = m_files[language];
        {
            test::MessageRecorder boxes;
            AppShell shell;
            QVERIFY(shell.ProcessShellCommand(CommandLineInfo{}));
            CVELDRANView& view = shell.View();
            CVELDRANDoc& document = shell.Document();
            QVERIFY(LoadCaptureFile(document, VELDRAN_TEST_DATA "/document/three_samples.vxr"));

            // A capture saved with the names a new view gives its channels.
            ChannelNames names;
            for (size_t n = 0; n < names.size(); ++n)
                names[n] = shell.Session().Name(static_cast<int>(n)).toStdString();
            const QString capture = dir.filePath(QStringLiteral("capture.vxr"));
            QVERIFY(SaveCaptureFile(document, names, capture.toStdString()));
            files[QStringLiteral("capture file")] = test::ReadFileBytes(capture);

            const QString settings = dir.filePath(QStringLiteral("veldran.cfg"));
            Message error;
            QVERIFY(WriteSettings(settings.toStdString(), shell.Link().m_dlgOptions.m_nPortIndex,
                                  shell.Link().m_dlgOptions.m_nSpeedIndex, &error));
            files[QStringLiteral("settings file")] = test::ReadFileBytes(settings);

            shell.Session().OpenCapture();
            shell.Frame().resize(1200, 900);
            shell.Frame().show();
            QVERIFY(QTest::qWaitForWindowExposed(&shell.Frame()));
            QVERIFY(shell.Router().Execute(ids::kCaptureData));
            QVERIFY(boxes.Saw(Tr(text::kReadyToPrint).toStdString()));
            files[QStringLiteral("Capture Data picture")] = test::ReadFileBytes(QStringLiteral("tmp.bmp"));

            // A Korean status text of the program in the value field.
            shell.Session().SetValueText({text::kInvalidData, {}});
            QVERIFY(shell.Router().Execute(ids::kCaptureData));
            files[QStringLiteral("Capture Data picture with a status text")] = test::ReadFileBytes(QStringLiteral("tmp.bmp"));
            m_valueFieldAfterCapture[language] = qobject_cast<QLineEdit*>(view.GetDlgItem(ids::kXPosData))->text();

            // The printed page of the untitled capture, drawn where a printer would draw it.
            QImage page(850, 1100, QImage::Format_RGB32);
            page.fill(Qt::white);
            QPrinter printer;
            {
                QPainter painter(&page);
                shell.Snapshot().OnPrint(painter, printer, document.GetTitle());
            }
            files[QStringLiteral("printed page")] =
                QByteArray(reinterpret_cast<const char*>(page.constBits()), page.sizeInBytes());
        }
        QVERIFY(QDir::setCurrent(previous));
    }

private slots:
    void initTestCase()
    {
        test::UseTestSettings();
        test::MapSerialPorts();
        WriteEverything(UiLanguage::Korean);
        WriteEverything(UiLanguage::English);
        UseUiLanguage(UiLanguage::Korean);
    }

    void sameBytesInBothLanguages_data()
    {
        QTest::addColumn<QString>("kind");
        for (const auto& [kind, bytes] : m_files[UiLanguage::Korean])
            QTest::newRow(qPrintable(kind)) << kind;
    }

    void sameBytesInBothLanguages()
    {
        QFETCH(QString, kind);
        const QByteArray& korean = m_files[UiLanguage::Korean][kind];
        const QByteArray& english = m_files[UiLanguage::English][kind];
        QVERIFY(!korean.isEmpty());
        QVERIFY(korean == english);
    }

    void filesKeepTheirOwnWords()
    {
        // The settings file's first line is Korean in the Korean code page; the default names and
        // the untitled capture's header are the program's own.
        const QByteArray settings = m_files[UiLanguage::English][QStringLiteral("settings file")];
        QVERIFY(settings.startsWith(QByteArray::fromStdString(Utf8ToCp949(filetext::kSettingsTitle)) + '\n'));
        const QByteArray capture = m_files[UiLanguage::English][QStringLiteral("capture file")];
        QVERIFY(capture.contains("\n CH  A00\n"));
        QVERIFY(capture.contains("\n CH  C15"));
        // The status text was in the picture: it differs from the one of the cell words.
        QVERIFY(m_files[UiLanguage::Korean][QStringLiteral("Capture Data picture")] !=
                m_files[UiLanguage::Korean][QStringLiteral("Capture Data picture with a status text")]);
    }

    void theScreenStillShowsTheUsersLanguage()
    {
        QCOMPARE(m_valueFieldAfterCapture[UiLanguage::Korean], QString::fromUtf8(text::kInvalidData));
        const QString english = m_valueFieldAfterCapture[UiLanguage::English];
        QVERIFY2(!english.isEmpty() && !HasHangul(english), qPrintable(english));
    }
};

QTEST_MAIN(FilesInBothLanguagesTest)
#include "FilesInBothLanguagesTest.moc"
