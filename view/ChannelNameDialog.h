#pragma once
// The dialog that edits the names of all 48 channels. The working names are the capture session's;
// the dialog edits a copy and gives it back on OK.

#include <QDialog>
#include <QString>

#include <array>

class QLineEdit;

namespace veldran {

class CCaptureSession;

class CChannelNameDlg : public QDialog {
    Q_OBJECT
public:
    explicit CChannelNameDlg(QWidget* parent = nullptr);

    // " CH  A00" … " CH  C15".
    [[nodiscard]] static QString DefaultName(int channel);

    // Shows the dialog with the current names; OK stores the edits into the names.
    int exec() override;
    [[nodiscard]] QLineEdit* Edit(int channel) const { return m_edits[static_cast<size_t>(channel)]; }

    std::array<QString, 48> m_strName;

protected:
    void accept() override;

private:
    void CreateControls();
    std::array<QLineEdit*, 48> m_edits{};
};

// The Change Channel Name command: the dialog shows the session's names, and OK renames the
// session's channels (which marks the capture as changed).
void ChangeChannelNames(CCaptureSession& session, CChannelNameDlg& dialog);

} // namespace veldran
