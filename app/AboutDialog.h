#pragma once
// The about box of the Help menu: the icon, the version and a line about the program.

#include "controls/DialogUnits.h"

#include <QDialog>

class QWidget;

namespace veldran {

class CAboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDialog(QWidget* pParent = nullptr);

    [[nodiscard]] const DialogBaseUnits& Units() const { return m_units; }

private:
    void CreateControls();

    DialogBaseUnits m_units;
};

// Command 57664: runs the about box modally over pParent (the active window when null).
void ShowAboutBox(QWidget* pParent = nullptr);

} // namespace veldran
