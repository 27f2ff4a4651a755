#include "link/OptionsDialog.h"

#include "link/ClockPeriods.h"
#include "controls/DialogUnits.h"
#include "i18n/Translation.h"
#include "resources/Ids.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

namespace veldran {
namespace {

void SelectIndex(QComboBox* list, int index)
{
    list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
}

void TagControl(QWidget* control, int id)
{
    control->setObjectName(QString::number(id));
    control->setProperty("controlId", id);
}

} // namespace

COptionsDlg::COptionsDlg(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(Tr("환경 변수를 설정합니다."));
    setFont(DialogFont("굴림", 10));
    CreateControls();
}

void COptionsDlg::CreateControls()
{
    m_units = BaseUnitsOf(font());
    setFixedSize(MapDialogSize(QSize(174, 87), m_units));

    auto* ok = new QPushButton(Tr("OK"), this);
    TagControl(ok, ids::kOk);
    ok->setGeometry(MapDialogRect(QRect(8, 64, 75, 17), m_units));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &COptionsDlg::accept);

    auto* cancel = new QPushButton(Tr("Cancel"), this);
    TagControl(cancel, ids::kCancel);
    cancel->setGeometry(MapDialogRect(QRect(91, 64, 75, 17), m_units));
    connect(cancel, &QPushButton::clicked, this, &COptionsDlg::reject);

    AddGroup(Tr("통신포트 설정"), 91, 7, 76, 48);
    // The port list is a sorted one; its entries are filled in their sorted order.
    m_pPortList = AddList(ids::kPortCombo, 123, 20, 39, 84);
    m_pPortList->addItems(
        {QStringLiteral("COM1"), QStringLiteral("COM2"), QStringLiteral("COM3"), QStringLiteral("COM4")});
    AddStatic(Tr("Port #"), 96, 23, 20, 13);
    m_pSpeedList = AddList(ids::kSpeedCombo, 123, 36, 39, 84);
    m_pSpeedList->addItems({QStringLiteral("9600"), QStringLiteral("1200")});
    AddStatic(Tr("Speed"), 96, 39, 20, 13);

    AddGroup(Tr("Clock Period 설정"), 7, 7, 76, 48);
    m_pClockList = AddList(ids::kClockCombo, 13, 28, 63, 258);
    for (int i = 0; i < ClockPeriodCount(); ++i)
        m_pClockList->addItem(Tr(ClockPeriodListText(i)));
}

// The template's height of a drop-down list is that of the box with its list dropped; the box
// itself is one line high.
QComboBox* COptionsDlg::AddList(int id, int x, int y, int width, int droppedHeight)
{
    auto* list = new QComboBox(this);
    TagControl(list, id);
    const QRect rect = MapDialogRect(QRect(x, y, width, droppedHeight), m_units);
    list->setGeometry(rect.x(), rect.y(), rect.width(), list->sizeHint().height());
    const int lineHeight = list->fontMetrics().height();
    list->setMaxVisibleItems(qMax(1, (rect.height() - list->sizeHint().height()) / qMax(1, lineHeight)));
    return list;
}

void COptionsDlg::AddStatic(const QString& text, int x, int y, int width, int height)
{
    auto* label = new QLabel(text, this);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(MapDialogRect(QRect(x, y, width, height), m_units));
}

void COptionsDlg::AddGroup(const QString& text, int x, int y, int width, int height)
{
    auto* group = new QGroupBox(text, this);
    group->setGeometry(MapDialogRect(QRect(x, y, width, height), m_units));
    group->lower();
}

void COptionsDlg::showEvent(QShowEvent* event)
{
    // A window-system show (restoring a minimised dialog) keeps what the user has chosen so far.
    if (!event->spontaneous()) {
        SelectIndex(m_pPortList, m_nPortIndex);
        SelectIndex(m_pSpeedList, m_nSpeedIndex);
        SelectIndex(m_pClockList, m_nClockIndex);
    }
    QDialog::showEvent(event);
}

void COptionsDlg::accept()
{
    m_nPortIndex = m_pPortList->currentIndex();
    m_nSpeedIndex = m_pSpeedList->currentIndex();
    m_nClockIndex = m_pClockList->currentIndex();
    QDialog::accept();
}

} // namespace veldran
