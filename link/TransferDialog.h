#pragma once
// The modeless dialog shown while a state listing is received: it tells the user how to set up
// the instrument and to press its STATE button, shows a moving progress bar, and offers the one
// way out of a reception that never ends by itself (no byte ever arrives).

#include "controls/DialogUnits.h"
#include "resources/Ids.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>

class QProgressBar;
class QPushButton;

namespace veldran {

// Whoever ends the reception when the user cancels; it is told with timer id 0.
class TransferNotify {
public:
    virtual ~TransferNotify() = default;
    virtual void OnTimer(int nIdEvent) = 0;
};

class CTransferDlg : public QDialog {
    Q_OBJECT
public:
    // nCaptionId 0 selects the standard caption (string 107).
    explicit CTransferDlg(int nCaptionId = 0);
    ~CTransferDlg() override;

    // Shows the dialog at the screen's top left. The owner (null: the main window) is disabled
    // while the dialog keeps it so; the dialog itself stays usable.
    void Create(QWidget* owner);
    // Hides the dialog and gives the owner back its input.
    void Close();
    // Moves the bar to nPos; the bar on screen follows within a fifth of a second.
    void ShowProgress(int nPos);

    // Enter and Esc leave the dialog open.
    void accept() override {}
    void reject() override {}

    [[nodiscard]] int ProgressPosition() const;
    // The bar's range and the step of one kept token.
    [[nodiscard]] int ProgressStep() const { return m_nStep; }
    [[nodiscard]] bool OwnerDisabled() const { return m_bOwnerDisabled; }

    bool m_bCancelled = false;
    TransferNotify* m_pNotifyView = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void OnCancelTransfer();
    void CreateControls();
    void InitProgress();
    void RefreshBar();

    DialogBaseUnits m_units;
    QProgressBar* m_pProgress = nullptr;
    QPushButton* m_pCancel = nullptr;
    int m_nCaptionId = ids::kTransferCaption;
    int m_nLower = 0;
    int m_nUpper = 100;
    int m_nStep = 10;
    bool m_bOwnerDisabled = false;
    QPointer<QWidget> m_pOwner;
    // The position the bar stands for. A listing moves it a few thousand times a second; the
    // bar on screen follows at most once per frame, which looks the same and costs a paint per
    // frame instead of a paint per token.
    int m_nPosition = 0;
    QElapsedTimer m_sinceRefresh;
    QTimer m_refreshTimer;
};

} // namespace veldran
