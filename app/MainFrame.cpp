#include "app/MainFrame.h"

#include "app/CommandRouter.h"
#include "app/MenuTable.h"
#include "app/OptionBar.h"
#include "app/RecentFileList.h"
#include "app/SplashWindow.h"
#include "decodedock/DecodePanel.h"
#include "document/CaptureDocument.h"
#include "i18n/MessageText.h"
#include "i18n/Translation.h"
#include "link/ClockPeriods.h"
#include "resources/Ids.h"
#include "resources/Strings.h"
#include "view/BusValuesPanel.h"
#include "view/MarkerPanel.h"
#include "view/MeasurePanel.h"
#include "view/SearchBar.h"
#include "view/StateListingPanel.h"
#include "view/VeldranView.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QVBoxLayout>

#include <algorithm>

namespace veldran {

CMainFrame::CMainFrame(CCaptureSession& session, CommandRouter& router, RecentFileList& recentFiles, QWidget* parent)
    : QMainWindow(parent)
    , m_session(session)
    , m_document(session.Document())
    , m_router(router)
    , m_recentFiles(recentFiles)
{
    setObjectName(QStringLiteral("CMainFrame"));
    setAcceptDrops(true);
    OnCreate();
    m_document.SetChangeHandler([this] { UpdateTitle(); });
    UpdateTitle();
}

CMainFrame::~CMainFrame()
{
    m_document.SetChangeHandler({});
    qApp->removeEventFilter(this);
}

void CMainFrame::OnCreate()
{
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_pView = new CVELDRANView(m_session, central);
    layout->addWidget(m_pView, 1);
    setCentralWidget(central);

    CreateStatusBar();
    // Created after the status bar, the option bar lies directly above it.
    m_pOptionBar = new OptionBar(m_router, central);
    layout->addWidget(m_pOptionBar);
    CreateAnalysisPanels();
    CreateBusPanels();
    CreateMenus();

    connect(&m_session, &CCaptureSession::clockPeriodChanged, this, &CMainFrame::SetClockPeriodText);
    connect(&m_session, &CCaptureSession::captureOpened, this, [this] { SetClockPeriodText(m_session.ClockIndex()); });
    connect(&m_session, &CCaptureSession::noteAnnounced, this,
            [this](const Message& note) { statusBar()->showMessage(MessageText(note).replace(QLatin1Char('\n'), QLatin1Char(' '))); });
    SetClockPeriodText(0);
    // Which cursor the keys over the traces move, before the lock keys' panes.
    auto* activeCursor = new QLabel(statusBar());
    activeCursor->setObjectName(QStringLiteral("activeCursorPane"));
    statusBar()->insertPermanentWidget(0, activeCursor);
    const auto showActiveCursor = [this, activeCursor] {
        activeCursor->setText(Tr(m_session.ActiveCursor() == CCaptureSession::ECursor::X ? text::kActiveCursorX
                                                                                        : text::kActiveCursorY));
    };
    connect(&m_session, &CCaptureSession::activeCursorChanged, activeCursor, showActiveCursor);
    showActiveCursor();
    CSplashWindow::ShowSplash(this);
}

QMenu* CMainFrame::Menu(int index) const
{
    const auto actions = menuBar()->actions();
    return index >= 0 && index < actions.size() ? actions.at(index)->menu() : nullptr;
}

void CMainFrame::CreateMenus()
{
    QMenu* current = nullptr;
    QString currentTitle;
    for (const MenuItemEntry& item : MainMenuItems()) {
        const QString popup = Tr(item.popup);
        if (!current || popup != currentTitle) {
            current = menuBar()->addMenu(popup);
            currentTitle = popup;
            connect(current, &QMenu::aboutToShow, &m_router, &CommandRouter::UpdateEnabledState);
        }
        if (!item.label) {
            current->addSeparator();
            continue;
        }
        if (item.id == ids::kFileMruFirst) {
            m_fileMenu = current;
            m_recentPlaceholder = current->addAction(Tr(item.label));
            m_recentPlaceholder->setEnabled(false);
            m_recentPlaceholder->setData(item.id);
            continue;
        }
        QAction* action = m_router.Action(item.id);
        QString text = Tr(item.label);
        if (item.accelText)
            text += QLatin1Char('\t') + Tr(item.accelText);
        action->setText(text);
        action->setStatusTip(Tr(CommandPrompt(item.id)));
        current->addAction(action);
    }
    // Accelerators work wherever the focus is inside the frame; commands without a handler stay
    // disabled, so their keys do nothing.
    std::map<int, QList<QKeySequence>> keys;
    for (const AcceleratorEntry& entry : Accelerators())
        keys[entry.id] << entry.key;
    for (const auto& [id, sequences] : keys) {
        QAction* action = m_router.Action(id);
        action->setShortcuts(sequences);
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
    }
    QAction* toggle = m_router.Action(ids::kToggleOptionBar);
    toggle->setStatusTip(Tr(CommandPrompt(ids::kToggleOptionBar)));
    addAction(toggle);
    UpdateRecentFileMenu();
}

void CMainFrame::UpdateRecentFileMenu()
{
    if (!m_fileMenu)
        return;
    for (QAction* action : m_recentActions) {
        m_fileMenu->removeAction(action);
        action->deleteLater();
    }
    m_recentActions.clear();
    const QStringList& files = m_recentFiles.Files();
    m_recentPlaceholder->setVisible(files.isEmpty());
    for (int i = 0; i < files.size(); ++i) {
        const QString shown = QDir::toNativeSeparators(files.at(i));
        auto* action = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(shown), m_fileMenu);
        action->setData(ids::kFileMruFirst + i);
        action->setStatusTip(Tr(CommandPrompt(ids::kFileMruFirst)));
        connect(action, &QAction::triggered, this, [this, i] { emit recentFileChosen(i); });
        m_fileMenu->insertAction(m_recentPlaceholder, action);
        m_recentActions.push_back(action);
    }
}

void CMainFrame::CreateStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QString::number(ids::kStatusBar));
    auto* idle = new QLabel(Tr(text::kIdle), bar);
    idle->setObjectName(QStringLiteral("messagePane"));
    bar->addWidget(idle, 1);
    const std::pair<int, const char*> panes[] = {
        {ids::kIndicatorCaps, "CAP"}, {ids::kIndicatorNum, "NUM"}, {ids::kIndicatorScroll, "SCRL"}};
    for (const auto& [id, caption] : panes) {
        auto* pane = new QLabel(Tr(caption), bar);
        pane->setObjectName(QString::number(id));
        pane->setFrameShape(QFrame::Panel);
        pane->setFrameShadow(QFrame::Sunken);
        pane->setAlignment(Qt::AlignCenter);
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 12);
        bar->addPermanentWidget(pane);
        m_indicators[id] = pane;
    }
    // The lock keys' state is followed from the key presses the application sees.
    qApp->installEventFilter(this);
    UpdateLockIndicators();
}

void CMainFrame::UpdateLockIndicators()
{
    m_indicators[ids::kIndicatorCaps]->setEnabled(m_bCapsLock);
    m_indicators[ids::kIndicatorNum]->setEnabled(m_bNumLock);
    m_indicators[ids::kIndicatorScroll]->setEnabled(m_bScrollLock);
}

bool CMainFrame::IsIdleAccelerator(const QKeyEvent& key) const
{
    const QKeySequence pressed(QKeyCombination(key.modifiers() & ~Qt::KeypadModifier, Qt::Key(key.key())));
    for (const AcceleratorEntry& entry : Accelerators())
        if (entry.key == pressed && !m_router.IsEnabled(entry.id))
            return true;
    return false;
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event)
{
    // The accelerators come before the control that has the focus, as in the accelerator table:
    // Ctrl+Z, Ctrl+V and the like have no command, so in this window they change nothing, in a
    // cursor box neither.
    if ((event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == this && IsIdleAccelerator(*static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!key->isAutoRepeat()) {
            bool changed = true;
            switch (key->key()) {
            case Qt::Key_CapsLock: m_bCapsLock = !m_bCapsLock; break;
            case Qt::Key_NumLock: m_bNumLock = !m_bNumLock; break;
            case Qt::Key_ScrollLock: m_bScrollLock = !m_bScrollLock; break;
            default: changed = false; break;
            }
            if (changed)
                UpdateLockIndicators();
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::SetClockPeriodText(int nIndex)
{
    const std::string period = ClockPeriodListText(nIndex);
    m_pOptionBar->ClockPeriodEdit()->setText(period.empty() ? QString() : Tr(kClockPeriodLabelPrefix) + Tr(period));
}

void CMainFrame::OnTrackSizeQuery()
{
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        setMinimumSize(screen->size());
        setMaximumSize(screen->size());
    }
}

void CMainFrame::OnToggleOptionBar()
{
    m_pOptionBar->setVisible(!m_pOptionBar->isVisible());
}

void CMainFrame::CreateAnalysisPanels()
{
    // Docked beside the form, never over it: the form scrolls when the panel leaves it less room
    // than its template.
    m_pMeasurePanel = new MeasurePanel(m_session, this);
    addDockWidget(Qt::RightDockWidgetArea, m_pMeasurePanel);
    m_pSearchBar = new SearchBar(m_session, this);
    addToolBar(Qt::TopToolBarArea, m_pSearchBar);
    connect(&m_pSearchBar->Search(), &PatternSearch::statusChanged, this,
            [this](const QString& text) { statusBar()->showMessage(text); });
    connect(m_pSearchBar, &SearchBar::stepRequested, this, [this](PatternSearch::EDirection direction) {
        m_router.Execute(direction == PatternSearch::EDirection::Next ? ids::kFindNext : ids::kFindPrevious);
    });
    // The panel shows from the start where the form and the option bar keep the room they need
    // beside it (a 1920-pixel screen at factor 2 does not); elsewhere the View menu shows it.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int needed = std::max(m_pOptionBar->sizeHint().width(), m_pView->Form()->minimumWidth()) +
                       m_pMeasurePanel->sizeHint().width();
    if (!screen || screen->size().width() < needed)
        m_pMeasurePanel->hide();
    // The View menu's entries are ticked while their window shows, however it was closed.
    TickWhileShown(m_pMeasurePanel, ids::kToggleMeasurePanel);
    QAction* barShown = m_router.Action(ids::kToggleSearchBar);
    barShown->setCheckable(true);
    barShown->setChecked(true);
    // The Decode panel is made when first asked for; its entry is ticked from then on while it shows.
    m_router.Action(ids::kToggleDecodePanel)->setCheckable(true);
    // The markers panel lies under the measurements and shows when the View menu asks for it.
    m_pMarkerPanel = new MarkerPanel(m_session, this);
    addDockWidget(Qt::RightDockWidgetArea, m_pMarkerPanel);
    m_pMarkerPanel->hide();
    TickWhileShown(m_pMarkerPanel, ids::kToggleMarkerPanel);
    connect(m_pSearchBar, &QToolBar::visibilityChanged, barShown, &QAction::setChecked);
}

void CMainFrame::TickWhileShown(QDockWidget* panel, int id)
{
    QAction* shown = m_router.Action(id);
    shown->setCheckable(true);
    shown->setChecked(!panel->isHidden());
    connect(panel, &QDockWidget::visibilityChanged, shown, &QAction::setChecked);
}

void CMainFrame::CreateBusPanels()
{
    m_pBusValues = new BusValuesPanel(m_session, this);
    m_pStateListing = new StateListingPanel(m_session, this);
    for (QDockWidget* panel : {static_cast<QDockWidget*>(m_pBusValues), static_cast<QDockWidget*>(m_pStateListing)}) {
        addDockWidget(Qt::RightDockWidgetArea, panel);
        panel->hide();
    }
    TickWhileShown(m_pBusValues, ids::kToggleBusValues);
    TickWhileShown(m_pStateListing, ids::kToggleStateListing);
}

void CMainFrame::OnTogglePanel(QWidget* panel)
{
    panel->setVisible(!panel->isVisible());
}

void CMainFrame::OnToggleMeasurePanel()
{
    m_pMeasurePanel->setVisible(!m_pMeasurePanel->isVisible());
}

void CMainFrame::OnToggleMarkerPanel()
{
    m_pMarkerPanel->setVisible(!m_pMarkerPanel->isVisible());
}

void CMainFrame::OnToggleDecodePanel()
{
    if (!m_pDecodePanel) {
        m_pDecodePanel = new DecodePanel(m_session, m_pView->Trace(0), this);
        addDockWidget(Qt::BottomDockWidgetArea, m_pDecodePanel);
        connect(m_pDecodePanel, &QDockWidget::visibilityChanged, m_router.Action(ids::kToggleDecodePanel),
                &QAction::setChecked);
        m_pDecodePanel->show();
        return;
    }
    m_pDecodePanel->setVisible(!m_pDecodePanel->isVisible());
}

void CMainFrame::OnToggleSearchBar()
{
    m_pSearchBar->setVisible(!m_pSearchBar->isVisible());
}

void CMainFrame::UpdateTitle()
{
    setWindowTitle(ShownTitle(m_document.GetTitle()) + QStringLiteral(" - ") + Tr(text::kAppTitle));
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    bool allow = true;
    emit closeRequested(&allow);
    if (allow)
        event->accept();
    else
        event->ignore();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            emit fileDropped(url.toLocalFile());
            event->acceptProposedAction();
            return; // a single-document program opens the first file only
        }
    }
}

} // namespace veldran
