#pragma once
// The main window: menus and accelerators, the view, the option bar and the status bar.

#include <QMainWindow>

#include <map>

class QDockWidget;
class QKeyEvent;
class QLabel;
class QMenu;

namespace veldran {

class CommandRouter;
class CCaptureSession;
class CVELDRANDoc;
class CVELDRANView;
class MarkerPanel;
class BusValuesPanel;
class DecodePanel;
class MeasurePanel;
class StateListingPanel;
class OptionBar;
class SearchBar;
class RecentFileList;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    CMainFrame(CCaptureSession& session, CommandRouter& router, RecentFileList& recentFiles, QWidget* parent = nullptr);
    ~CMainFrame() override;

    [[nodiscard]] CVELDRANView* GetActiveView() const { return m_pView; }
    [[nodiscard]] OptionBar* GetOptionBar() const { return m_pOptionBar; }
    [[nodiscard]] QMenu* Menu(int index) const;
    [[nodiscard]] MeasurePanel* GetMeasurePanel() const { return m_pMeasurePanel; }
    [[nodiscard]] SearchBar* GetSearchBar() const { return m_pSearchBar; }
    [[nodiscard]] MarkerPanel* GetMarkerPanel() const { return m_pMarkerPanel; }
    [[nodiscard]] BusValuesPanel* GetBusValuesPanel() const { return m_pBusValues; }
    [[nodiscard]] StateListingPanel* GetStateListing() const { return m_pStateListing; }
    // Made when first shown: listing the decoders starts the decoder library.
    [[nodiscard]] DecodePanel* GetDecodePanel() const { return m_pDecodePanel; }

    // Shows the label of a clock-period index in the option bar; any other index empties it.
    void SetClockPeriodText(int nIndex);
    // Keeps the frame at the primary screen's size, whatever the user drags.
    void OnTrackSizeQuery();
    // Command 104: shows or hides the option bar.
    void OnToggleOptionBar();
    // Show or hide the measurements panel and the pattern search bar.
    void OnToggleMeasurePanel();
    void OnToggleSearchBar();
    void OnToggleMarkerPanel();
    // Show or hide a docked panel (the bus values, the state listing).
    static void OnTogglePanel(QWidget* panel);
    void OnToggleDecodePanel();
    // Rebuilds the recent-file entries of the File menu.
    void UpdateRecentFileMenu();
    // "<document title> - VELDRAN"
    void UpdateTitle();

signals:
    void fileDropped(const QString& path);
    void recentFileChosen(int index);
    // Asked before the window closes; a handler sets *allow to false to keep it open.
    void closeRequested(bool* allow);

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A key of the accelerator table whose command is disabled: the frame takes it before the
    // focused control, and it does nothing.
    [[nodiscard]] bool IsIdleAccelerator(const QKeyEvent& key) const;
    void OnCreate();
    void CreateMenus();
    void CreateStatusBar();
    // The measurements panel on the right of the form and the search bar above it.
    void CreateAnalysisPanels();
    // The bus values and the state listing, hidden until the View menu shows them.
    void CreateBusPanels();
    // The View menu's entry of a panel is ticked while the panel shows.
    void TickWhileShown(QDockWidget* panel, int id);
    void UpdateLockIndicators();

    CCaptureSession& m_session;
    CVELDRANDoc& m_document;
    CommandRouter& m_router;
    RecentFileList& m_recentFiles;
    CVELDRANView* m_pView = nullptr;
    OptionBar* m_pOptionBar = nullptr;
    MeasurePanel* m_pMeasurePanel = nullptr;
    SearchBar* m_pSearchBar = nullptr;
    MarkerPanel* m_pMarkerPanel = nullptr;
    BusValuesPanel* m_pBusValues = nullptr;
    StateListingPanel* m_pStateListing = nullptr;
    DecodePanel* m_pDecodePanel = nullptr;
    QMenu* m_fileMenu = nullptr;
    QAction* m_recentPlaceholder = nullptr;
    std::vector<QAction*> m_recentActions;
    std::map<int, QLabel*> m_indicators;
    bool m_bCapsLock = false;
    bool m_bNumLock = false;
    bool m_bScrollLock = false;
};

} // namespace veldran
