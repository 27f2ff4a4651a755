// The main window on a given screen at a given scale factor (VELDRAN_TEST_SCREEN, QT_SCALE_FACTOR):
// the form fits the window across and down, every control of it in the view and clear of the
// option bar, the maker's name in the option bar whole, and Print Preview at two thirds of the
// screen at least.

#include "tests/common/MessageRecorder.h"
#include "tests/common/TestEnvironment.h"
#include "tests/view/CaptureFixture.h"

#include "app/AppShell.h"
#include "app/CommandLine.h"
#include "app/MainFrame.h"
#include "app/OptionBar.h"
#include "controls/CNumSpinCtrl.h"
#include "print/PrintCommands.h"
#include "resources/Ids.h"
#include "tests/view/ViewProbe.h"

#include <QApplication>
#include <QLabel>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <utility>
#include <vector>

using namespace veldran;

namespace {

// The form's controls a user reads or uses: the traces and the information row with its counters.
QList<int> FormControls()
{
    QList<int> controls{ids::kLeftPos,   ids::kRightPos, ids::kLabelXPos,  ids::kEditX,      ids::kSpinX,
                        ids::kLabelYPos, ids::kEditY,    ids::kSpinY,      ids::kLabelXY,    ids::kXYDistance,
                        ids::kLabelXData, ids::kXPosData, ids::kWindowText, ids::kXCursorLabel, ids::kYCursorLabel};
    for (int k = 0; k < 16; ++k)
        controls << ids::kTraceFirst + k;
    return controls;
}

// The part of a control that must be seen: a label's text, any other control whole.
QRect SeenRect(const QWidget& control)
{
    if (const auto* label = qobject_cast<const QLabel*>(&control)) {
        const QRect contents = label->contentsRect();
        const int width = label->fontMetrics().horizontalAdvance(label->text());
        const int height = label->fontMetrics().height();
        const int left = label->alignment() & Qt::AlignHCenter ? contents.center().x() - width / 2 : contents.left();
        return QRect(left, contents.center().y() - height / 2, width, height);
    }
    return control.rect();
}

} // namespace

class HighDpiTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::MessageRecorder> m_messages;
    std::unique_ptr<AppShell> m_shell;

private slots:
    void initTestCase()
    {
        test::UseTestSettings();
        test::MapSerialPorts();
        m_messages = std::make_unique<test::MessageRecorder>();
        m_shell = std::make_unique<AppShell>();
        QVERIFY(m_shell->ProcessShellCommand(CommandLineInfo{}));
        // As at start-up: maximized, held at the screen's size.
        CMainFrame& frame = m_shell->Frame();
        frame.showMaximized();
        frame.OnTrackSizeQuery();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        // A long capture at the widest window, far cursors and a clock period: the widest readouts.
        test::LoadCapture(m_shell->Document(), 12000, test::DividerLevel);
        CVELDRANView& view = m_shell->View();
        m_shell->Session().OpenCapture();
        for (int n = 0; n < 3; ++n)
            m_shell->Session().Contract();
        test::SpinY(view).SetPos(10884.0f);
        test::SpinX(view).SetPos(11321.0f);
        test::ChooseClockPeriod(m_shell->Session(), 8);
        QTest::qWait(50);
        view.Form()->repaint();
    }

    void cleanupTestCase()
    {
        m_shell.reset();
        m_messages.reset();
    }

    void theScreenIsTheOneAskedFor()
    {
        const QScreen* screen = QGuiApplication::primaryScreen();
        const QSize physical = screen->size() * screen->devicePixelRatio();
        QCOMPARE(QStringLiteral("%1x%2").arg(physical.width()).arg(physical.height()),
                 qEnvironmentVariable("VELDRAN_TEST_SCREEN"));
        QCOMPARE(screen->devicePixelRatio(), qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")).toDouble());
        // Maximized: the screen's size, give or take the rounding of the scale factor.
        const QSize frame = m_shell->Frame().size();
        QVERIFY(qAbs(frame.width() - screen->size().width()) <= 4 && qAbs(frame.height() - screen->size().height()) <= 4);
    }

    void formControlsStayInTheWindowAndClearOfTheOptionBar()
    {
        CMainFrame& frame = m_shell->Frame();
        CVELDRANView& view = m_shell->View();
        const QWidget* bar = frame.findChild<OptionBar*>();
        QVERIFY(bar && bar->isVisible());
        const QRect barRect(bar->mapTo(&frame, QPoint(0, 0)), bar->size());
        const QRect viewport(view.viewport()->mapTo(&frame, QPoint(0, 0)), view.viewport()->size());
        // The form always fits from top to bottom, and across as well: its readouts are as wide
        // as this capture and clock period need, not as the largest capture would. On a screen
        // 960 pixels wide (1920×1080 at factor 2) the row needs more than one line can hold
        // (the template's 900 pixels and 114 more for this capture's texts) and takes two.
        QCOMPARE(view.verticalScrollBar()->maximum(), 0);
        QCOMPARE(view.horizontalScrollBar()->maximum(), 0);
        QVERIFY2(view.Form()->width() <= view.viewport()->width(),
                 qPrintable(QStringLiteral("a form %1 wide in a view %2 wide")
                                .arg(view.Form()->width()).arg(view.viewport()->width())));

        std::vector<std::pair<int, QRect>> rowSeen; // the information row and its counters
        for (const int id : FormControls()) {
            const QWidget* control = view.GetDlgItem(id);
            QVERIFY(control);
            if (!control->isVisible())
                continue;
            const QRect seen = SeenRect(*control);
            const QRect inFrame(control->mapTo(&frame, seen.topLeft()), seen.size());
            if (id < ids::kTraceFirst || id >= ids::kTraceFirst + 16)
                if (id != ids::kXCursorLabel && id != ids::kYCursorLabel)
                    rowSeen.emplace_back(id, inFrame);
            const QString what = QStringLiteral("%1 at %2,%3 %4x%5").arg(id).arg(inFrame.x()).arg(inFrame.y())
                                     .arg(inFrame.width()).arg(inFrame.height());
            QVERIFY2(!inFrame.intersects(barRect), qPrintable(what + " under the option bar"));
            QVERIFY2(viewport.contains(inFrame), qPrintable(what + " outside the view"));
        }
        // However many lines the row takes, no readout stands over another.
        for (const auto& [id, rect] : rowSeen)
            for (const auto& [other, otherRect] : rowSeen)
                QVERIFY2(id == other || !rect.intersects(otherRect),
                         qPrintable(QStringLiteral("%1 and %2 overlap").arg(id).arg(other)));
    }

    void makersNameIsWhole()
    {
        const OptionBar* bar = m_shell->Frame().findChild<OptionBar*>();
        QLabel* maker = nullptr;
        for (QLabel* label : bar->findChildren<QLabel*>())
            if (label->text() == QStringLiteral("VELDRAN,  ORVANT System"))
                maker = label;
        QVERIFY(maker && maker->isVisible());
        const QRect seen = SeenRect(*maker);
        QVERIFY(maker->contentsRect().contains(seen));
        const QRect inBar(maker->mapTo(bar, seen.topLeft()), seen.size());
        QVERIFY2(bar->rect().contains(inBar), qPrintable(QStringLiteral("%1..%2 in a bar of %3")
                                                             .arg(inBar.left()).arg(inBar.right()).arg(bar->width())));
        // Nothing else of the bar covers it.
        for (const QWidget* other : bar->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (other != maker && other->isVisible())
                QVERIFY(!other->geometry().intersects(inBar));
    }

    void printPreviewTakesTwoThirdsOfTheScreen()
    {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        QVERIFY(QDir::setCurrent(folder.path()));
        m_shell->View().OnCaptureData(m_shell->Snapshot());
        QSize shown;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &poll, [&shown, &poll] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (auto* dialog = qobject_cast<QPrintPreviewDialog*>(widget); dialog && dialog->isVisible()) {
                    shown = dialog->size();
                    poll.stop();
                    dialog->reject();
                }
            }
        });
        poll.start(20);
        m_shell->Printing().Printer().setOutputFileName(folder.filePath(QStringLiteral("preview.pdf")));
        m_shell->Printing().PrintPreview(&m_shell->Frame());
        const QSize screen = QGuiApplication::primaryScreen()->size();
        QVERIFY2(shown.width() * 3 >= screen.width() * 2 && shown.height() * 3 >= screen.height() * 2,
                 qPrintable(QStringLiteral("%1x%2 on %3x%4").arg(shown.width()).arg(shown.height())
                                .arg(screen.width()).arg(screen.height())));
    }
};

// The offscreen platform gets the screen named in VELDRAN_TEST_SCREEN ("2560x1440") before the
// application starts; the scale factor comes from QT_SCALE_FACTOR as for any Qt program.
int main(int argc, char** argv)
{
    QTemporaryDir config;
    const QStringList size = qEnvironmentVariable("VELDRAN_TEST_SCREEN", QStringLiteral("1920x1080")).split(QLatin1Char('x'));
    if (!config.isValid() || size.size() != 2)
        return 2;
    const QString path = config.filePath(QStringLiteral("screens.json"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return 2;
    file.write(QStringLiteral(R"({"screens": [{"name": "test", "x": 0, "y": 0, "width": %1, "height": %2,)"
                              R"( "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})")
                   .arg(size.at(0), size.at(1))
                   .toUtf8());
    file.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(path));
    QApplication app(argc, argv);
    HighDpiTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "HighDpiTest.moc"
