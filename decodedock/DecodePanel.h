#pragma once
// The Decode panel, docked under the form: a decoder chosen and set up (DecoderSetupForm), run in the
// background with progress and Cancel, its annotations in a table (filtered by row and by text,
// exported as CSV, a click moving X to an annotation's start) and drawn in a strip under the
// traces. The set-up run last is kept with the capture's buses and markers. The decoded
// annotations belong to their capture: another capture drops them.

#include "decode/DecodeRun.h"
#include "session/CaptureSession.h"

#include <QDockWidget>

#include <functional>
#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableView;

namespace veldran {

class AnnotationStrip;
class AnnotationTableModel;
class CTraceStatic;
class DecodeJob;
class DecoderSetupForm;

// The sidecar section that keeps the set-up: one line, a decoder stack in sigrok-cli's -P form.
inline constexpr const char* kDecoderSection = "decoders";

class DecodePanel : public QDockWidget {
    Q_OBJECT
public:
    DecodePanel(CCaptureSession& session, const CTraceStatic& timeAxis, QWidget* parent = nullptr);
    ~DecodePanel() override;

    // Runs the set-up chosen; false when there is nothing to run or a run is under way.
    bool Run();
    void Cancel();
    [[nodiscard]] bool IsRunning() const;

    [[nodiscard]] DecoderSetupForm& Setup() const { return *m_pSetup; }
    [[nodiscard]] AnnotationTableModel& Table() const { return *m_pModel; }
    [[nodiscard]] AnnotationStrip& Strip() const { return *m_pStrip; }
    [[nodiscard]] QTableView& TableView() const { return *m_pTable; }
    // The last run's outcome as a line of text (counts, or what went wrong).
    [[nodiscard]] QString StatusText() const;

    // Where the CSV goes; an empty path cancels. Tests replace it.
    void SetCsvPathPrompt(std::function<QString()> prompt) { m_csvPath = std::move(prompt); }
    // Writes the annotations the table shows as CSV; false when cancelled or failed (its message shown).
    bool ExportCsv();

signals:
    void runFinished();

protected:
    void changeEvent(QEvent* event) override;

private:
    void OnFinished(std::shared_ptr<const DecodeOutcome> outcome);
    void OnCaptureChanged();
    void OnRowClicked(int row);
    void ApplyFilter();
    void ShowRunning(bool bRunning);
    void LoadSetup();
    void UpdateChannelLabels();
    void Retranslate();

    CCaptureSession& m_session;
    DecodeJob* m_pJob = nullptr;
    DecoderSetupForm* m_pSetup = nullptr;
    AnnotationTableModel* m_pModel = nullptr;
    AnnotationStrip* m_pStrip = nullptr;
    QTableView* m_pTable = nullptr;
    QPushButton* m_pRun = nullptr;
    QPushButton* m_pCancel = nullptr;
    QPushButton* m_pExport = nullptr;
    QProgressBar* m_pProgress = nullptr;
    QLabel* m_pStatus = nullptr;
    QComboBox* m_pRowFilter = nullptr;
    QLineEdit* m_pTextFilter = nullptr;
    QLabel* m_pLibraryError = nullptr;
    std::function<QString()> m_csvPath;
    // What the status line says: a message of the last run, or its counts.
    std::optional<Message> m_lastError;
    size_t m_nLastCount = 0;
    bool m_bLastCancelled = false;
    bool m_bHasRun = false;
    bool m_bDiscardRun = false; // the run under way is of a capture no longer shown
};

} // namespace veldran
