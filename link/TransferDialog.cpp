#include "link/TransferDialog.h"

#include "controls/CachedProgressBar.h"
#include "controls/DialogUnits.h"
#include "i18n/Translation.h"
#include "resources/Strings.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QPainter>
#include <QPushButton>
#include <QTextOption>
#include <QWindow>

namespace veldran {
namespace {

// The bar on screen is brought up to date at most this often. It only shows activity: at the
// line rate it runs through its eleven positions several times a second, so any rate looks the
// same, and four times a second keeps the refreshes a small part of what a reception costs.
constexpr int kRefreshMs = 250;

// A static text whose tabs advance to the next stop of eight average characters, so the rows of
// the settings table line up in columns.
class TabbedStatic : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        QTextOption option(Qt::AlignLeft | Qt::AlignTop);
        option.setWrapMode(QTextOption::NoWrap);
        option.setTabStopDistance(8.0 * fontMetrics().averageCharWidth());
        painter.drawText(QRectF(rect()), text(), option);
    }
};

QWidget* MainWindow()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (qobject_cast<QMainWindow*>(widget))
            return widget;
    return nullptr;
}

// The caption from the string table; an id the table does not hold gives an empty caption.
QString CaptionText(int captionId)
{
    return captionId == ids::kTransferCaption ? Tr(text::kTransferCaption) : QString();
}

} // namespace

CTransferDlg::CTransferDlg(int nCaptionId)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    if (nCaptionId != 0)
        m_nCaptionId = nCaptionId;
    setFont(DialogFont("굴림체", 10));
    CreateControls();
    InitProgress();
    setWindowTitle(CaptionText(m_nCaptionId));
    m_refreshTimer.setSingleShot(true);
    connect(&m_refreshTimer, &QTimer::timeout, this, &CTransferDlg::RefreshBar);
}

CTransferDlg::~CTransferDlg()
{
    Close();
}

void CTransferDlg::CreateControls()
{
    m_units = BaseUnitsOf(font());
    setFixedSize(MapDialogSize(QSize(291, 138), m_units));

    m_pProgress = new CachedProgressBar(this);
    m_pProgress->setObjectName(QString::number(ids::kProgressBar));
    m_pProgress->setProperty("controlId", ids::kProgressBar);
    m_pProgress->setTextVisible(false);
    m_pProgress->setGeometry(MapDialogRect(QRect(7, 101, 277, 13), m_units));

    m_pCancel = new QPushButton(Tr("전송을 취소합니다."), this);
    m_pCancel->setObjectName(QString::number(ids::kCancelTransfer));
    m_pCancel->setProperty("controlId", ids::kCancelTransfer);
    // Enter must not press it even while it has the focus.
    m_pCancel->setAutoDefault(false);
    m_pCancel->setGeometry(MapDialogRect(QRect(98, 116, 95, 15), m_units));
    connect(m_pCancel, &QPushButton::clicked, this, &CTransferDlg::OnCancelTransfer);

    struct StaticText {
        const char* text;
        int x, y, width, height;
    };
    const StaticText texts[] = {
        {"데이터 전송모드로 전환하였습니다.", 7, 7, 180, 8},
        {"VELDRAN에서 \"STATE\"버튼을 눌러 데이타를 전송하시기 바랍니다.", 7, 18, 246, 8},
    };
    for (const StaticText& s : texts) {
        auto* label = new QLabel(Tr(s.text), this);
        label->setGeometry(MapDialogRect(QRect(s.x, s.y, s.width, s.height), m_units));
    }

    auto* group = new QGroupBox(Tr("올바른 STATE 전송을 위한 VELDRAN 환경설정"), this);
    group->setGeometry(MapDialogRect(QRect(7, 29, 277, 69), m_units));

    const StaticText table[] = {
        {"STATE LISTING FORMAT/GROUP FORMATS 설정은 다음과 같아야 합니다.", 16, 42, 257, 8},
        {"\tName\tRadix\tBits\tField\tLogic", 16, 54, 194, 8},
        {"CELL 1\txxxx\tBIN\t16\t17\txxxx", 16, 62, 194, 8},
        {"CELL 2\txxxx\tBIN\t16\t17\txxxx", 16, 70, 194, 8},
        {"CELL 3\txxxx\tBIN\t16\t17\txxxx", 16, 78, 194, 8},
        {"CELL 4 ~ CELL 8 is all OFF", 16, 86, 194, 8},
    };
    for (const StaticText& s : table) {
        auto* label = new TabbedStatic(Tr(s.text), this);
        label->setGeometry(MapDialogRect(QRect(s.x, s.y, s.width, s.height), m_units));
    }
}

void CTransferDlg::InitProgress()
{
    m_pProgress->setRange(m_nLower, m_nUpper);
    m_pProgress->setValue(m_nLower);
    m_nPosition = m_nLower;
}

void CTransferDlg::Create(QWidget* owner)
{
    if (!owner)
        owner = MainWindow();
    if (owner && owner->isEnabled()) {
        owner->setEnabled(false);
        m_bOwnerDisabled = true;
    }
    m_pOwner = owner;
    // The dialog is a window of its own, not a child of the owner: disabling the owner would
    // otherwise disable the dialog and its cancel button too. It still stays above the owner.
    winId();
    if (owner && owner->window()->windowHandle() && windowHandle())
        windowHandle()->setTransientParent(owner->window()->windowHandle());
    move(0, 0);
    show();
}

void CTransferDlg::Close()
{
    if (m_bOwnerDisabled) {
        if (m_pOwner)
            m_pOwner->setEnabled(true);
        m_bOwnerDisabled = false;
    }
    hide();
}

void CTransferDlg::ShowProgress(int nPos)
{
    // The bar on screen follows from the event loop, at most every kRefreshMs; nothing else runs
    // here, so the reception that calls this is never entered again from inside.
    m_nPosition = nPos;
    if (!m_sinceRefresh.isValid() || m_sinceRefresh.elapsed() >= kRefreshMs)
        RefreshBar();
    else if (!m_refreshTimer.isActive())
        m_refreshTimer.start(kRefreshMs);
}

void CTransferDlg::RefreshBar()
{
    m_refreshTimer.stop();
    m_sinceRefresh.start();
    m_pProgress->setValue(m_nPosition);
}

int CTransferDlg::ProgressPosition() const
{
    return m_nPosition;
}

void CTransferDlg::OnCancelTransfer()
{
    m_bCancelled = true;
    if (m_pNotifyView)
        m_pNotifyView->OnTimer(0);
}

void CTransferDlg::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void CTransferDlg::closeEvent(QCloseEvent* event)
{
    // No close box: the window goes only with the end of the reception.
    event->ignore();
}

} // namespace veldran
