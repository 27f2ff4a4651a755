#include "app/AboutDialog.h"

#include "app/AppResources.h"
#include "i18n/Translation.h"
#include "resources/Ids.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

namespace veldran {
namespace {

constexpr int kIconPixels = 32; // the icon control takes the size of the standard icon

QLabel* AddStatic(QWidget* pParent, const QString& text, const QRect& rcDlu, const DialogBaseUnits& units)
{
    auto* label = new QLabel(text, pParent);
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(MapDialogRect(rcDlu, units));
    return label;
}

} // namespace

CAboutDialog::CAboutDialog(QWidget* pParent)
    : QDialog(pParent)
{
    setWindowTitle(Tr("VELDRAN 정보"));
    setFont(DialogFont("굴림", 9));
    CreateControls();
}

void CAboutDialog::CreateControls()
{
    m_units = BaseUnitsOf(font());
    setFixedSize(MapDialogSize(QSize(235, 55), m_units));

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("icon"));
    icon->setPixmap(ApplicationIcon().pixmap(kIconPixels, kIconPixels));
    icon->setGeometry(QRect(MapDialogPoint(QPoint(11, 15), m_units), QSize(kIconPixels, kIconPixels)));

    AddStatic(this, Tr("VELDRAN 버전 2.0"), QRect(40, 16, 134, 8), m_units)
        ->setObjectName(QStringLiteral("version"));
    AddStatic(this, Tr("48채널 로직 분석기 데스크톱 프로그램"), QRect(40, 28, 134, 8), m_units)
        ->setObjectName(QStringLiteral("notice"));

    auto* ok = new QPushButton(Tr("확인"), this);
    ok->setObjectName(QString::number(ids::kOk));
    ok->setProperty("controlId", ids::kOk);
    ok->setGeometry(MapDialogRect(QRect(178, 7, 50, 14), m_units));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CAboutDialog::accept);
}

void ShowAboutBox(QWidget* pParent)
{
    CAboutDialog dlg(pParent ? pParent : QApplication::activeWindow());
    (void)dlg.exec();
}

} // namespace veldran
