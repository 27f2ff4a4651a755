#include "app/PictureSizeDialog.h"

#include "i18n/Translation.h"
#include "picture/PictureLimits.h"
#include "resources/Strings.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>

namespace veldran {
namespace {

QSpinBox* SideBox(int value, QWidget* parent)
{
    auto* box = new QSpinBox(parent);
    box->setRange(kPictureMinSide, kPictureMaxSide);
    box->setValue(value);
    return box;
}

} // namespace

PictureSizeDialog::PictureSizeDialog(QSize proposed, QWidget* parent)
    : QDialog(parent)
    , m_width(SideBox(proposed.width(), this))
    , m_height(SideBox(proposed.height(), this))
{
    setObjectName(QStringLiteral("PictureSizeDialog"));
    setWindowTitle(Tr(text::kPictureSizeTitle));
    auto* form = new QFormLayout(this);
    form->addRow(Tr(text::kPictureWidthCaption), m_width);
    form->addRow(Tr(text::kPictureHeightCaption), m_height);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QSize PictureSizeDialog::Size() const
{
    return {m_width->value(), m_height->value()};
}

std::optional<QSize> PictureSizeDialog::Ask(QSize proposed, QWidget* parent)
{
    PictureSizeDialog dialog(proposed, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Size();
}

} // namespace veldran
