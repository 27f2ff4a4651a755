#include "view/MarkerDialog.h"

#include "i18n/MessageText.h"
#include "i18n/Translation.h"
#include "resources/Strings.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace veldran {
namespace {

constexpr int kSwatchSide = 16;

} // namespace

MarkerDialog::MarkerDialog(const Marker& marker, QWidget* parent)
    : QDialog(parent)
    , m_marker(marker)
    , m_label(new QLineEdit(QString::fromStdString(marker.strLabel), this))
    , m_note(new QPlainTextEdit(QString::fromStdString(marker.strNote), this))
    , m_swatch(new QLabel(this))
    , m_choose(new QPushButton(Tr(text::kMarkerChooseColour), this))
{
    setObjectName(QStringLiteral("MarkerDialog"));
    setWindowTitle(Tr(text::kMarkerEdit));
    auto* form = new QFormLayout(this);
    form->addRow(new QLabel(MessageText(Message(text::kMarkerOnSample, {MessageNumber(marker.nSample)})), this));
    form->addRow(Tr(text::kMarkerLabelCaption), m_label);
    form->addRow(Tr(text::kMarkerNoteCaption), m_note);
    auto* colourRow = new QHBoxLayout;
    m_swatch->setFixedSize(kSwatchSide, kSwatchSide);
    m_swatch->setAutoFillBackground(true);
    colourRow->addWidget(m_swatch);
    colourRow->addWidget(m_choose);
    colourRow->addStretch(1);
    form->addRow(Tr(text::kMarkerColourCaption), colourRow);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &MarkerDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &MarkerDialog::reject);
    connect(m_choose, &QPushButton::clicked, this, &MarkerDialog::ChooseColour);
    SetColour(QColor::fromRgb(static_cast<QRgb>(marker.nColour)));
}

void MarkerDialog::SetColour(const QColor& colour)
{
    m_colour = colour;
    QPalette palette = m_swatch->palette();
    palette.setColor(QPalette::Window, colour);
    m_swatch->setPalette(palette);
}

void MarkerDialog::ChooseColour()
{
    const QColor chosen = QColorDialog::getColor(m_colour, this, Tr(text::kMarkerEdit));
    if (chosen.isValid())
        SetColour(chosen);
}

std::optional<Marker> MarkerDialog::Edited() const
{
    Marker edited = m_marker;
    for (const std::optional<Message>& refused :
         {SetMarkerLabel(edited, m_label->text().toStdString()), SetMarkerNote(edited, m_note->toPlainText().toStdString())}) {
        if (refused) {
            ShowWindowMessage(*refused);
            return std::nullopt;
        }
    }
    edited.nColour = m_colour.rgb() & 0xFFFFFFu;
    return edited;
}

void MarkerDialog::accept()
{
    if (Edited())
        QDialog::accept();
}

std::optional<Marker> MarkerDialog::Edit(const Marker& marker, QWidget* parent)
{
    MarkerDialog dialog(marker, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Edited();
}

} // namespace veldran
