#include "controls/CNumSpinCtrl.h"

#include "controls/CNumEdit.h"

#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace veldran {
namespace {

// The same delays as the platform's own up-down control.
constexpr int kRepeatDelayMs = 500;
constexpr int kRepeatIntervalMs = 50;

QToolButton* MakeArrowButton(Qt::ArrowType arrow, const QString& name, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setAutoRepeatDelay(kRepeatDelayMs);
    button->setAutoRepeatInterval(kRepeatIntervalMs);
    // Clicking an arrow leaves the keyboard focus in the edit box.
    button->setFocusPolicy(Qt::NoFocus);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    return button;
}

} // namespace

CNumSpinCtrl::CNumSpinCtrl(QWidget* parent)
    : QWidget(parent)
    , m_pUpButton(MakeArrowButton(Qt::UpArrow, QStringLiteral("up"), this))
    , m_pDownButton(MakeArrowButton(Qt::DownArrow, QStringLiteral("down"), this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_pUpButton);
    layout->addWidget(m_pDownButton);
    // A press steps at once and again at every auto-repeat, like the platform's arrows.
    connect(m_pUpButton, &QToolButton::pressed, this, [this] { Step(+1); });
    connect(m_pDownButton, &QToolButton::pressed, this, [this] { Step(-1); });
}

void CNumSpinCtrl::SetDelta(float fDelta)
{
    if (CNumEdit* pEdit = NumBuddy())
        pEdit->SetDelta(fDelta);
}

float CNumSpinCtrl::GetDelta() const
{
    CNumEdit* pEdit = NumBuddy();
    return pEdit ? pEdit->GetDelta() : 0.0f;
}

QWidget* CNumSpinCtrl::SetBuddy(QWidget* pBuddy)
{
    QWidget* pPrevious = m_pBuddy;
    m_pBuddy = pBuddy;
    if (CNumEdit* pEdit = NumBuddy())
        pEdit->SetValue(0.0f);
    return pPrevious;
}

QWidget* CNumSpinCtrl::GetBuddy() const { return m_pBuddy; }

void CNumSpinCtrl::GetRange(float& fMin, float& fMax) const
{
    if (CNumEdit* pEdit = NumBuddy())
        pEdit->GetRange(fMin, fMax);
}

void CNumSpinCtrl::SetRange(float fMin, float fMax)
{
    m_nLower = kLowerPos;
    m_nUpper = kUpperPos;
    m_nPos = std::clamp(m_nPos, m_nLower, m_nUpper);
    if (CNumEdit* pEdit = NumBuddy())
        pEdit->SetRange(fMin, fMax);
}

float CNumSpinCtrl::GetPos()
{
    CNumEdit* pEdit = NumBuddy();
    return pEdit ? pEdit->GetValue() : 0.0f;
}

void CNumSpinCtrl::SetPos(float fValue)
{
    m_nPos = kMiddlePos;
    if (CNumEdit* pEdit = NumBuddy())
        pEdit->SetValue(fValue);
}

// The test takes iDelta with its sign, so only an upward step near either end re-centres; the
// integer position is never read as a value, so drifting down to 0 does no harm.
void CNumSpinCtrl::OnSpinDelta(int& iPos, int iDelta)
{
    if (iPos <= iDelta || iPos >= kUpperPos - iDelta)
        iPos = kMiddlePos;
    if (CNumEdit* pEdit = NumBuddy())
        pEdit->StepValue(iDelta);
}

QSize CNumSpinCtrl::sizeHint() const
{
    const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    return QSize(extent, 2 * extent);
}

CNumEdit* CNumSpinCtrl::NumBuddy() const { return qobject_cast<CNumEdit*>(GetBuddy()); }

// The buddy steps even when the integer position sits at an end of its range; the position then
// simply stays there.
void CNumSpinCtrl::Step(int iDelta)
{
    int iPos = m_nPos;
    OnSpinDelta(iPos, iDelta);
    m_nPos = std::clamp(iPos + iDelta, m_nLower, m_nUpper);
}

} // namespace veldran
