#pragma once
// The timing-diagram view: a form of sixteen traces, a position bar, two cursors and an information
// row, scrolled when the window is smaller than the form. It draws the capture session: it follows
// the session's signals and reads what it shows from the session; what the user does in its own
// controls (the cursor entries, a click on the traces) it writes back to the session.

#include "session/CaptureSession.h"
#include "view/CursorMarkers.h"
#include "view/FormLayout.h"
#include "view/PositionStrip.h"
#include "view/TraceStatic.h"

#include <QElapsedTimer>
#include <QScrollArea>
#include <QString>
#include <QTimer>

#include <array>
#include <map>
#include <memory>

class QLabel;
class QLineEdit;
class QPainter;

namespace veldran {

class CNumEdit;
class CNumSpinCtrl;
class CPrintCapture;
class CTraceNavigation;
class FormWidget;

// The integer cursor values seen by the previous cursor update, for the whole run of the program.
// An update that finds the cursors where they were at the start or the end of the capture changes
// nothing; a capture that replaces the one shown forgets them, so its first update is never skipped.
struct CursorsSeen {
    static constexpr int kNoCursorSeen = -1;
    static inline int s_nLastX = 0;
    static inline int s_nLastY = 0;
    static void Forget() { s_nLastX = s_nLastY = kNoCursorSeen; }
};

class CVELDRANView : public QScrollArea {
    Q_OBJECT
public:
    explicit CVELDRANView(CCaptureSession& session, QWidget* parent = nullptr);
    ~CVELDRANView() override;

    // The form's control with the given id (ids are shared with the form template).
    [[nodiscard]] QWidget* GetDlgItem(int id) const;
    [[nodiscard]] QWidget* Form() const;
    [[nodiscard]] CTraceStatic& Trace(int k) const { return *m_traces[static_cast<size_t>(k)]; }
    // Where the position strip between the two counters is drawn in the form.
    [[nodiscard]] QRect PositionStripRect() const { return m_strip.Rect(); }

    // Capture Data: a snapshot of the client area for printing.
    void OnCaptureData(CPrintCapture& print);

private:
    friend class FormWidget;
    // Moves the window and the cursors for the keys and the mouse over the traces.
    friend class CTraceNavigation;
    void CreateControls();

    // What the session announces.
    void OnCaptureOpened();
    void OnCaptureCleared();
    void OnCaptureReplaced();
    void OnLinesReceived();
    void OnCursorsMoved();
    void OnWindowChanged();
    void OnCellChanged();
    void OnClockPeriodChanged();

    // What the user does in the form.
    void OnCursorEdited();
    void OnLButtonDown(const QPoint& point);

    // The traces, the cursors and the readouts.
    void LoadTraces();
    void UpdateCursors();
    void FollowXCursor();
    // The traces show the zoom window placed around the X cursor.
    void PlaceTraceWindow();
    void UpdateCursorMarkers();
    void UpdateMeasurement();
    void UpdatePositionBar();
    // Writes the view's strings to their controls (the value field at once).
    void WriteStrings();
    void ShowValueText();
    // Measures the readouts for the capture shown and places the row; bForce places it even when
    // nothing it depends on changed since the last time.
    void FitReadouts(bool bForce = false);
    void PaintForm(QPainter& painter);

    CCaptureSession& m_session;
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
    std::unique_ptr<CursorMarkers> m_markers;
    PositionStrip m_strip;

    QString m_strWindow;
    QString m_strLeftPos = QStringLiteral("(0000)");
    QString m_strRightPos = QStringLiteral("(0015)");
    QString m_strXYDistance;
    // The cursor markers stand over the traces from the first cursor update on.
    bool m_bCursorsPlaced = false;
    int m_nInfoTop = 0;
    bool m_bInitializing = true;

    // What the information row was last measured and placed for.
    struct ReadoutScope {
        int lastIndex = 0;
        double clockPeriod = 1.0;
        bool operator==(const ReadoutScope& other) const
        {
            return lastIndex == other.lastIndex && clockPeriod == other.clockPeriod;
        }
    };
    ReadoutScope m_measuredScope;
    NeededWidths m_measuredWidths;
    int m_nCursorLabelWidth = 55;
    int m_nPlacedCursorLabelWidth = 0;
    QSize m_templateSize;

    static constexpr int kLineCounterRefreshMs = 250;
    QElapsedTimer m_sinceXPosData;
    QTimer m_xPosDataTimer;

    std::unique_ptr<CTraceNavigation> m_navigation;
};

} // namespace veldran
