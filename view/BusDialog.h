#pragma once
// The dialog that defines the capture's buses: the list of buses, with a new one added or one
// removed, and for the bus picked its name, its channels (taken from the 48, D47 first, shown with
// their working names, and put in order: the top one is the most significant bit) and its radix.
// A definition typed as "DATA=D7..D0" (BusDefinition.h) adds a bus with its name and channels at
// once; a definition refused says why and adds nothing.
// OK gives the buses to the session; a bus with no name or no channel is refused, named, and
// nothing is given until it is put right.

#include "annotations/Bus.h"

#include <QDialog>

#include <vector>

class QComboBox;
class QLabel;
class QLayout;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace veldran {

class CCaptureSession;

class BusDialog : public QDialog {
    Q_OBJECT
public:
    explicit BusDialog(CCaptureSession& session, QWidget* parent = nullptr);

    // The buses as edited so far.
    [[nodiscard]] const std::vector<Bus>& Buses() const { return m_buses; }
    // Why OK was refused last ("" when it was not).
    [[nodiscard]] QString Refusal() const;

    void accept() override;

protected:
    // Enter in the definition applies it and leaves the dialog open.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    [[nodiscard]] QLayout* CreateListPane();
    [[nodiscard]] QWidget* CreateEditor();
    [[nodiscard]] QLayout* CreateDefinitionRow();
    void AddBus();
    void RemoveBus();
    void PickBus(int index);
    // Shows the picked bus's channels and the channels left to take.
    void ShowChannels(int selectedRow = -1);
    void TakeChannels();
    void DropChannels();
    void MoveChannel(int step);
    void ApplyDefinition();
    void Refuse(int index, const QString& why);
    [[nodiscard]] Bus* Picked();

    CCaptureSession& m_session;
    std::vector<Bus> m_buses;
    int m_nPicked = -1;
    QListWidget* m_busList = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_remove = nullptr;
    QWidget* m_editor = nullptr;
    QLineEdit* m_name = nullptr;
    QComboBox* m_radix = nullptr;
    QListWidget* m_available = nullptr;
    QListWidget* m_channels = nullptr;
    QLineEdit* m_definition = nullptr;
    QLabel* m_refusal = nullptr;
};

} // namespace veldran
