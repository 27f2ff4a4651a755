#pragma once
// The dialog that edits the names of all 48 channels. Its name array is the view's working store
// of channel names: the traces are labelled from it and a saved capture carries it.

#include <QDialog>
#include <QString>

#include <array>

class QLineEdit;

namespace veldran {

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

} // namespace veldran
