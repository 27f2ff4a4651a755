#pragma once
// The timing-diagram view: a form of sixteen traces, a position bar, two cursors and an information
// row, scrolled when the window is smaller than the form. It shows the one document and holds the
// channel names; the instrument link (port, settings, reception) is its own object, which the
// view's link commands and members forward to.

#include "document/CaptureDocument.h"
#include "link/InstrumentLink.h"
#include "link/ReceptionHost.h"
#include "print/PrintCapture.h"
#include "view/ChannelNameDialog.h"
#include "view/FormLayout.h"
#include "view/TraceStatic.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QScrollArea>
#include <QString>
#include <QTimer>

#include <array>
#include <cstdint>
#include <map>

class QLabel;
class QLineEdit;
class QFrame;
class QGroupBox;
class QPainter;

namespace veldran {

class CNumEdit;
class CNumSpinCtrl;
class FormWidget;

class CVELDRANView : public QScrollArea, public ReceptionHost {
    Q_OBJECT
public:
    explicit CVELDRANView(CVELDRANDoc& document, QWidget* parent = nullptr);
    ~CVELDRANView() override;

    [[nodiscard]] CVELDRANDoc* GetDocument() const { return &m_document; }
    // The form's control with the given id (ids are shared with the form template).
    [[nodiscard]] QWidget* GetDlgItem(int id) const;
    [[nodiscard]] QWidget* Form() const;

    // Run by the application at start-up and after every file open.
    void OnInitialUpdate();

    // The engine's CTS notification: 0 for ports 1..4, −1 otherwise.
    [[nodiscard]] long OnSerialCts(unsigned wParam, int lParam) const { return m_link.OnSerialCts(wParam, lParam); }

    // Communication settings and the serial link
    void SetClockPeriod(int nIndex);
    void OnOptions();
    // Saves the settings as the view goes away with the main window.
    void OnDestroy() { m_link.Shutdown(); }

    // Reception of a state listing
    void OnLoad() { m_link.OnLoad(); }
    [[nodiscard]] CReception& Reception() { return m_link.Reception(); }

    // ReceptionHost
    bool IsLiveData() const override { return m_bLiveData; }
    void SetLiveData(bool bLive) override { m_bLiveData = bLive; }
    void SetViewSampleCount(int nCount) override { m_nSampleCount = nCount; }
    void ResetView() override;
    void LoadTraces() override;
    void UpdateCursors() override;
    void UpdatePositionBar() override;
    void SetXPosData(const std::string& text) override;
    void InvalidateView() override;
    QWidget* TransferDialogOwner() override;

    void AddSample(int trace, uint8_t value);
    void LayoutControls();
    // Writes the view's strings to their controls.
    void WriteStrings();

    // Zoom and position bar
    void OnExpand();
    void OnContract();
    void OnHScroll(int position);

    // Cursors and measurement
    void FollowXCursor();
    void UpdateCursorMarkers();
    void ShowCursorLines();
    void ShowYCursor(bool show);
    void UpdateMeasurement();
    void OnLButtonDown(const QPoint& point);
    // Where the position strip between the two counters is drawn in the form.
    [[nodiscard]] QRect PositionStripRect() const;

    // Capture Data: a snapshot of the client area for printing.
    void OnCaptureData();

    // Cells and channel names
    void OnSelectCell();
    void OnChangeChName();

    [[nodiscard]] CTraceStatic& Trace(int k) { return *m_traces[static_cast<size_t>(k)]; }
    [[nodiscard]] const CTraceStatic& Trace(int k) const { return *m_traces[static_cast<size_t>(k)]; }
    [[nodiscard]] CNumEdit& EditX() { return *m_editX; }
    [[nodiscard]] CNumEdit& EditY() { return *m_editY; }
    [[nodiscard]] CNumSpinCtrl& SpinX() { return *m_spinX; }
    [[nodiscard]] CNumSpinCtrl& SpinY() { return *m_spinY; }

    // Members other parts of the program read and write directly.
    QString m_strXPosData;
    QString m_strWindow;
    QString m_strLeftPos = QStringLiteral("(0000)");
    QString m_strRightPos = QStringLiteral("(0015)");
    QString m_strXYDistance;
    double m_dClockPeriod = 1.0;
    int m_nXCursorPixel = -100;
    int m_nYCursorPixel = -100;
    int m_nInfoTop = 0;
    int m_nYIndex = 0;
    int m_nXIndex = 0;
    bool m_bLiveData = false;
    int m_nCell = 0;
    int m_nWindow = 16;
    CChannelNameDlg m_dlgChannelNames;
private:
    CInstrumentLink m_link; // before the names that refer into it
public:
    COptionsDlg& m_dlgOptions = m_link.m_dlgOptions;
    CSerialEngine& m_serial = m_link.m_serial;
    int& m_bPortOpen = m_link.m_bPortOpen;
    CPrintCapture m_print;
    int m_nSampleCount = 0;
    bool m_bInitializing = true;

    // The integer cursor values seen by the previous cursor update (process-wide). An update that
    // finds the cursors where they were at the start or the end of the capture changes nothing.
    static inline int s_nLastX = 0;
    static inline int s_nLastY = 0;
    static constexpr int kNoCursorSeen = -1;
    // Called when a capture replaces the one shown: the next cursor update refreshes the readouts
    // even if both cursors stay where they were.
    static void ForgetCursorValues();

signals:
    // The option bar shows the label of this clock-period index.
    void clockPeriodTextChanged(int index);

private:
    friend class FormWidget;
    void CreateControls();
    // What the readouts can be asked to show now: cursors and counters up to the last sample of
    // the capture shown (or the cursors' range, if wider), distances at the chosen clock period.
    struct ReadoutScope {
        int lastIndex = 0;
        double clockPeriod = 1.0;
        bool operator==(const ReadoutScope& other) const
        {
            return lastIndex == other.lastIndex && clockPeriod == other.clockPeriod;
        }
    };
    [[nodiscard]] ReadoutScope CurrentReadoutScope() const;
    [[nodiscard]] NeededWidths MeasureReadouts(const ReadoutScope& scope);
    // Moves the controls for these widths at the form's present size.
    void PlaceControls(const NeededWidths& needed);
    // Lays the form out again when the readouts' scope changed since they were last measured.
    void FitReadouts();
    void OnFormResized();
    void PaintForm(QPainter& painter);
    struct PositionBarValues {
        int first = 0; // first sample shown
        int last = 0;  // last sample shown
        int total = 1; // samples in the capture, at least one
    };
    [[nodiscard]] PositionBarValues PositionBar() const;
    void DrawPositionBar(QPainter& painter);
    void ApplyWindowToTraces(int cursor, int start, int end);
    void ApplyZoom(int window);
    [[nodiscard]] QString CellTokensAt(int x) const;
    void RelabelTraces();
    void MoveControl(int id, const QRect& rect);
    void ShowXPosData();
    [[nodiscard]] int CursorX() const;
    [[nodiscard]] int CursorY() const;

    CVELDRANDoc& m_document;
    FormWidget* m_form = nullptr;
    std::map<int, QWidget*> m_controls;
    std::array<CTraceStatic*, 16> m_traces{};
    CNumSpinCtrl* m_spinY = nullptr;
    CNumEdit* m_editY = nullptr;
    CNumSpinCtrl* m_spinX = nullptr;
    CNumEdit* m_editX = nullptr;
    QLineEdit* m_xPosData = nullptr;
    QLineEdit* m_windowText = nullptr;
    QLineEdit* m_xyDistance = nullptr;
    QLabel* m_leftPos = nullptr;
    QLabel* m_rightPos = nullptr;
    QFrame* m_xCursorLine = nullptr;
    QFrame* m_yCursorLine = nullptr;
    QLabel* m_xCursorLabel = nullptr;
    QLabel* m_yCursorLabel = nullptr;
    QSize m_templateSize;
    int m_nStripLeft = 160;
    int m_nStripTop = 0;
    int m_nStripRight = 0;
    int m_nCursorLabelWidth = 55;
    ReadoutScope m_measuredScope; // what the row was last measured for
    NeededWidths m_measuredWidths; // …and the widths the controls were placed for
    int m_nPlacedCursorLabelWidth = 0;
    int m_nScrollMark = -1; // x of the mark drawn while the form scrolls horizontally
    static constexpr int kLineCounterRefreshMs = 200;
    QElapsedTimer m_sinceXPosData;
    QTimer m_xPosDataTimer;
};

} // namespace veldran
