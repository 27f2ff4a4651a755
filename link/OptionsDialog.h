#pragma once
// The options dialog. Its three indexes are the program's live communication settings: the view
// reads and writes them directly, also while the dialog is not shown. −1 stands for no selection.

#include "controls/DialogUnits.h"

#include <QDialog>

#include <array>

class QComboBox;

namespace veldran {

class COptionsDlg : public QDialog {
    Q_OBJECT
public:
    explicit COptionsDlg(QWidget* parent = nullptr);

    // OK: each index takes the selected entry of its list (−1 when none is selected).
    void accept() override;

    int m_nPortIndex = -1;  // 0 = COM1 … 3 = COM4
    int m_nSpeedIndex = -1; // 0 = 9600, 1 = 1200
    int m_nClockIndex = -1; // row of the clock-period table, 0 = OFF

protected:
    // Each list shows the entry at its index (none for −1 or an index outside the list).
    void showEvent(QShowEvent* event) override;

private:
    void CreateControls();
    QComboBox* AddList(int id, int x, int y, int width, int droppedHeight);
    void AddStatic(const QString& text, int x, int y, int width, int height);
    void AddGroup(const QString& text, int x, int y, int width, int height);

    DialogBaseUnits m_units;
    QComboBox* m_pPortList = nullptr;
    QComboBox* m_pSpeedList = nullptr;
    QComboBox* m_pClockList = nullptr;
};

} // namespace veldran
