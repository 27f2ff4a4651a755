// Every text the program shows, walked in both languages: the menus, the option bar and its tool
// tips, the status bar and its prompts, the clock periods, the value field, every dialog and every
// message box. The texts come from the program's own windows as it builds them and from its table
// of screen texts. A text looked up without an English entry, or left Korean in the English face,
// fails the walk by name; so does an English text that does not fit its control.

#include "tests/common/Hangul.h"
#include "tests/common/MessageRecorder.h"
#include "tests/common/TestEnvironment.h"

#include "app/AboutDialog.h"
#include "app/AppShell.h"
#include "app/CommandLine.h"
#include "app/CommandRouter.h"
#include "app/ExportCommand.h"
#include "app/DocumentCommands.h"
#include "app/MainFrame.h"
#include "app/OptionBar.h"
#include "document/CaptureFile.h"
#include "i18n/MessageText.h"
#include "i18n/Translation.h"
#include "link/ClockPeriods.h"
#include "link/TransferDialog.h"
#include "resources/Ids.h"
#include "resources/Strings.h"
#include "link/InstrumentLink.h"
#include "view/ChannelNameDialog.h"
#include "view/VeldranView.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QTranslator>

#include <functional>

using namespace veldran;
using test::HasHangul;

Q_DECLARE_METATYPE(veldran::UiLanguage)

namespace {

// Notes every text of the program looked up while it is installed; answers nothing itself, so the
// program's own catalogues still answer.
class LookupRecorder : public QTranslator {
public:
    QString translate(const char* context, const char* source, const char*, int) const override
    {
        if (qstrcmp(context, kTranslationContext) == 0)
            m_sources.insert(QString::fromUtf8(source));
        return QString();
    }
    bool isEmpty() const override { return false; }
    mutable QSet<QString> m_sources;
};

struct ShownText {
    QString where;
    QString text;
};

// Every text a window shows: titles, captions, labels, list entries, tool tips, status prompts and
// its menus' entries.
QList<ShownText> TextsOf(QWidget* top)
{
    QList<ShownText> texts;
    const auto add = [&texts](const QObject* object, const char* what, const QString& text) {
        if (!text.isEmpty())
            texts.append({QStringLiteral("%1 %2 %3").arg(QString::fromLatin1(object->metaObject()->className()),
                                                         object->objectName(), QString::fromLatin1(what)),
                          text});
    };
    QList<QWidget*> widgets = top->findChildren<QWidget*>();
    widgets.prepend(top);
    for (QWidget* widget : widgets) {
        add(widget, "title", widget->windowTitle());
        add(widget, "tool tip", widget->toolTip());
        add(widget, "status tip", widget->statusTip());
        if (auto* label = qobject_cast<QLabel*>(widget))
            add(label, "text", label->text());
        if (auto* button = qobject_cast<QAbstractButton*>(widget))
            add(button, "text", button->text());
        if (auto* group = qobject_cast<QGroupBox*>(widget))
            add(group, "title", group->title());
        if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            add(edit, "text", edit->text());
            add(edit, "placeholder", edit->placeholderText());
        }
        if (auto* list = qobject_cast<QComboBox*>(widget))
            for (int i = 0; i < list->count(); ++i)
                add(list, "entry", list->itemText(i));
        if (auto* menu = qobject_cast<QMenu*>(widget))
            add(menu, "title", menu->title());
        for (const QAction* action : widget->actions()) {
            add(action, "action", action->text());
            add(action, "action status tip", action->statusTip());
            if (action->toolTip() != QString(action->text()).remove(QLatin1Char('&')).section(QLatin1Char('\t'), 0, 0))
                add(action, "action tool tip", action->toolTip());
        }
    }
    return texts;
}

// Texts in controls of a fixed size: each must fit inside its control in the font it is drawn in.
QStringList TextsThatDoNotFit(QWidget* top)
{
    QStringList clipped;
    QList<QWidget*> widgets = top->findChildren<QWidget*>();
    for (QWidget* widget : widgets) {
        QString text;
        int room = widget->width();
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            text = label->text();
            room = label->contentsRect().width();
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            text = QString(button->text()).remove(QLatin1Char('&'));
            room = widget->width() - 6; // the button's frame
        } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
            text = group->title();
            room = widget->width() - 16; // the frame on both sides of the title
        } else if (auto* edit = qobject_cast<QLineEdit*>(widget); edit && edit->isReadOnly()) {
            text = edit->text();
            room = edit->contentsRect().width() - edit->textMargins().left() - edit->textMargins().right() - 4;
        }
        if (text.isEmpty() || text.contains(QLatin1Char('\t')))
            continue;
        for (const QString& line : text.split(QLatin1Char('\n')))
            if (widget->fontMetrics().horizontalAdvance(line) > room)
                clipped << QStringLiteral("\"%1\" needs %2 px, has %3")
                               .arg(line)
                               .arg(widget->fontMetrics().horizontalAdvance(line))
                               .arg(room);
    }
    return clipped;
}

// Runs `look` on the next modal window as soon as it is up, then closes it with `close`.
void WhenModal(const std::function<void(QWidget*)>& look, const std::function<void(QWidget*)>& close)
{
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, look, close] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        look(modal);
        close(modal);
    });
    timer->start();
}

void CloseMessageBox(QWidget* modal)
{
    auto* box = qobject_cast<QMessageBox*>(modal);
    QAbstractButton* button = box ? (box->button(QMessageBox::Cancel) ? box->button(QMessageBox::Cancel)
                                                                      : box->button(QMessageBox::Ok))
                                  : nullptr;
    if (button)
        button->click();
    else
        modal->close();
}

} // namespace

class LanguageWalkTest : public QObject {
    Q_OBJECT

private:
    QTranslator m_catalogue;
    std::unique_ptr<LookupRecorder> m_recorder;
    QList<ShownText> m_shown;

    void Walk(QWidget* top) { m_shown += TextsOf(top); }

    // Every text of the program the walk shows, in the language of the row.
    void WalkEverything()
    {
        test::MessageRecorder boxes;
        AppShell shell;
        QVERIFY(shell.ProcessShellCommand(CommandLineInfo{}));
        CMainFrame& frame = shell.Frame();
        CVELDRANView& view = shell.View();

        // The value field's own words, as a new capture and a reception show them.
        shell.Session().ClearCapture();
        Walk(&frame);
        shell.Session().SetValueText({text::kDataInTransfer, "0049"});
        m_shown.append({QStringLiteral("value field"), qobject_cast<QLineEdit*>(view.GetDlgItem(ids::kXPosData))->text()});
        for (int i = 0; i < ClockPeriodCount(); ++i) {
            frame.SetClockPeriodText(i);
            m_shown.append({QStringLiteral("clock period %1").arg(i), frame.GetOptionBar()->ClockPeriodEdit()->text()});
        }
        Walk(&shell.Link().m_dlgOptions);
        Walk(&shell.ChannelNames());
        CTransferDlg transfer(ids::kTransferCaption);
        Walk(&transfer);
        CAboutDialog about(nullptr);
        Walk(&about);

        // The save prompt, and the Open and Save As dialogs with their proposed name.
        shell.Document().SetModifiedFlag(true);
        WhenModal([this](QWidget* w) { Walk(w); }, CloseMessageBox);
        QVERIFY(!shell.Files().SaveModified());
        shell.Document().SetModifiedFlag(false);
        WhenModal([this](QWidget* w) { Walk(w); }, [](QWidget* w) { static_cast<QDialog*>(w)->reject(); });
        shell.Files().OnFileOpen();
        WhenModal([this](QWidget* w) { Walk(w); }, [](QWidget* w) { static_cast<QDialog*>(w)->reject(); });
        QVERIFY(!shell.Files().OnFileSaveAs());
        // The export dialog with its filters, once there is a capture to export.
        QVERIFY(LoadCaptureFile(shell.Document(), VELDRAN_TEST_DATA "/document/three_samples.vxr"));
        shell.Router().UpdateEnabledState();
        bool exportAsked = false;
        WhenModal(
            [this, &exportAsked](QWidget* w) {
                exportAsked = qobject_cast<QFileDialog*>(w) != nullptr;
                Walk(w);
            },
            [](QWidget* w) { static_cast<QDialog*>(w)->reject(); });
        shell.Export().OnFileExport();
        QVERIFY(exportAsked);

        // Every message box, as the program makes it from a message and through its own box, with
        // its values filled in.
        for (const char* source : text::kScreenTexts) {
            Message message(source, {}, MessageIcon::Exclamation);
            message.caption = text::kApplicationError;
            for (const char* p = source; *p; ++p)
                if (p[0] == '%' && (p[1] == 'd' || p[1] == 's'))
                    message.args.push_back(p[1] == 'd' ? "1" : "tmp.bmp");
            WhenModal([this](QWidget* w) { Walk(w); }, CloseMessageBox);
            shell.Messages().Show(ShownBox(message));
        }
    }

private slots:
    void initTestCase()
    {
        test::UseTestSettings();
        test::MapSerialPorts();
        QVERIFY(UseUiLanguage(UiLanguage::English));
        QVERIFY(m_catalogue.load(QString::fromLatin1(kEnglishCatalogue)));
    }

    void init()
    {
        m_shown.clear();
        m_recorder = std::make_unique<LookupRecorder>();
    }

    void cleanup()
    {
        m_recorder.reset();
        UseUiLanguage(UiLanguage::Korean);
    }

    void everyTextIsInTheCatalogueAndShownInEnglish_data()
    {
        QTest::addColumn<UiLanguage>("language");
        QTest::newRow("Korean") << UiLanguage::Korean;
        QTest::newRow("English") << UiLanguage::English;
    }

    void everyTextIsInTheCatalogueAndShownInEnglish()
    {
        QFETCH(UiLanguage, language);
        QVERIFY(UseUiLanguage(language));
        QCoreApplication::installTranslator(m_recorder.get());
        WalkEverything();
        QCoreApplication::removeTranslator(m_recorder.get());
        if (QTest::currentTestFailed())
            return;

        QStringList missing;
        for (const QString& source : std::as_const(m_recorder->m_sources))
            if (m_catalogue.translate(kTranslationContext, source.toUtf8().constData()).isEmpty())
                missing << source;
        QVERIFY2(missing.isEmpty(), qPrintable(QStringLiteral("no English entry for:\n") + missing.join('\n')));
        // The walk went through the program's windows and boxes, not past them.
        QVERIFY2(m_recorder->m_sources.size() >= 100, qPrintable(QString::number(m_recorder->m_sources.size())));
        QVERIFY(m_shown.size() >= 300);

        int korean = 0;
        QStringList untranslated;
        for (const ShownText& shown : std::as_const(m_shown)) {
            if (!HasHangul(shown.text))
                continue;
            ++korean;
            untranslated << shown.where + QStringLiteral(": ") + shown.text;
        }
        if (language == UiLanguage::English)
            QVERIFY2(untranslated.isEmpty(), qPrintable(QStringLiteral("left in Korean:\n") + untranslated.join('\n')));
        else
            QVERIFY2(korean >= 100, qPrintable(QString::number(korean))); // the program's own face
    }

    // Within a menu, and along the menu bar, each Alt key opens one entry, in either language.
    void everyMnemonicOpensOneEntry_data() { everyTextIsInTheCatalogueAndShownInEnglish_data(); }
    void everyMnemonicOpensOneEntry()
    {
        QFETCH(UiLanguage, language);
        QVERIFY(UseUiLanguage(language));
        test::MessageRecorder boxes;
        AppShell shell;
        QVERIFY(shell.ProcessShellCommand(CommandLineInfo{}));
        const auto mnemonicsOf = [](const QList<QAction*>& actions) {
            QStringList clashes;
            QMap<QChar, QString> taken;
            for (const QAction* action : actions) {
                const QString text = action->text();
                const qsizetype at = text.indexOf(QRegularExpression(QStringLiteral("&[^&]")));
                if (at < 0)
                    continue;
                const QChar key = text.at(at + 1).toUpper();
                if (taken.contains(key))
                    clashes << taken[key] + QStringLiteral(" / ") + text;
                taken[key] = text;
            }
            return clashes;
        };
        QStringList clashes = mnemonicsOf(shell.Frame().menuBar()->actions());
        for (const QAction* entry : shell.Frame().menuBar()->actions())
            if (entry->menu())
                clashes += mnemonicsOf(entry->menu()->actions());
        QVERIFY2(clashes.isEmpty(), qPrintable(clashes.join('\n')));
    }

    // The dialogs and the option bar are laid out in fixed places; the English words fit them.
    void englishTextsFitTheirControls()
    {
        QVERIFY(UseUiLanguage(UiLanguage::English));
        test::MessageRecorder boxes;
        AppShell shell;
        QVERIFY(shell.ProcessShellCommand(CommandLineInfo{}));
        CVELDRANView& view = shell.View();
        CTransferDlg transfer(ids::kTransferCaption);
        CAboutDialog about(nullptr);
        OptionBar* bar = shell.Frame().GetOptionBar();
        QStringList clipped;
        for (QWidget* window : std::initializer_list<QWidget*>{&shell.Link().m_dlgOptions, &transfer, &about, bar})
            clipped += TextsThatDoNotFit(window);
        for (int i = 0; i < ClockPeriodCount(); ++i) {
            shell.Frame().SetClockPeriodText(i);
            clipped += TextsThatDoNotFit(bar);
        }
        // The value field's status texts, in the width the form measured for its own texts (the
        // form is laid out the same in both languages, so that Capture Data pictures are).
        shell.Frame().show();
        QVERIFY(QTest::qWaitForWindowExposed(&shell.Frame()));
        for (const SValueText& status : {SValueText{text::kNoData, {}}, SValueText{text::kInvalidData, {}},
                                         SValueText{text::kDataInTransfer, "9999"}}) {
            shell.Session().SetValueText(status);
            clipped += TextsThatDoNotFit(view.Form());
        }
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join('\n')));
    }

    // Qt's own standard buttons in the save prompt speak the program's language.
    void savePromptButtonsFollowTheLanguage_data()
    {
        QTest::addColumn<UiLanguage>("language");
        QTest::newRow("Korean") << UiLanguage::Korean;
        QTest::newRow("English") << UiLanguage::English;
    }

    void savePromptButtonsFollowTheLanguage()
    {
        QFETCH(UiLanguage, language);
        QVERIFY(UseUiLanguage(language));
        test::MessageRecorder boxes;
        AppShell shell;
        QVERIFY(shell.ProcessShellCommand(CommandLineInfo{}));
        shell.Document().SetModifiedFlag(true);
        QStringList buttons;
        QString question;
        WhenModal(
            [&](QWidget* w) {
                auto* box = qobject_cast<QMessageBox*>(w);
                question = box ? box->text() : QString();
                for (const auto standard : {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel})
                    if (box && box->button(standard))
                        buttons << box->button(standard)->text();
            },
            CloseMessageBox);
        QVERIFY(!shell.Files().SaveModified());
        QCOMPARE(buttons.size(), 3);
        for (const QString& button : std::as_const(buttons))
            QVERIFY2(HasHangul(button) == (language == UiLanguage::Korean), qPrintable(button));
        QVERIFY2(HasHangul(question) == (language == UiLanguage::Korean), qPrintable(question));
        QVERIFY(question.contains(ShownTitle(filetext::kUntitled)));
    }
};

QTEST_MAIN(LanguageWalkTest)
#include "LanguageWalkTest.moc"
