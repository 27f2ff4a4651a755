#pragma once
// Editing a marker: its label (up to 64 characters), its note (any text, on several lines) and its
// colour. OK keeps the dialog open with a message while the label or the note is too long.

#include "annotations/Marker.h"

#include <QColor>
#include <QDialog>

#include <optional>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace veldran {

class MarkerDialog : public QDialog {
    Q_OBJECT
public:
    MarkerDialog(const Marker& marker, QWidget* parent = nullptr);

    // The marker as the fields hold it, or nothing with the reason shown while a field is refused.
    [[nodiscard]] std::optional<Marker> Edited() const;
    [[nodiscard]] QLineEdit* LabelEdit() const { return m_label; }
    [[nodiscard]] QPlainTextEdit* NoteEdit() const { return m_note; }
    void SetColour(const QColor& colour);
    [[nodiscard]] QColor Colour() const { return m_colour; }

    // Shows the dialog for marker; the edited marker, or nothing when the user cancelled.
    [[nodiscard]] static std::optional<Marker> Edit(const Marker& marker, QWidget* parent);

    void accept() override;

private:
    void ChooseColour();

    Marker m_marker;
    QLineEdit* m_label = nullptr;
    QPlainTextEdit* m_note = nullptr;
    QLabel* m_swatch = nullptr;
    QPushButton* m_choose = nullptr;
    QColor m_colour;
};

} // namespace veldran
