#include "controls/CNumEdit.h"

#include "controls/NumberText.h"
#include "resources/Strings.h"
#include "i18n/MessageText.h"

#include <QContextMenuEvent>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

#include <cmath>
#include <memory>
#include <string>

namespace veldran {
namespace {

// Keys that type a character into the box: printable text without a command modifier, and
// backspace. Delete, the arrows, Home and the like type nothing and pass unchecked, as do
// clipboard shortcuts.
bool IsCharacterKey(const QKeyEvent& event)
{
    if (event.key() == Qt::Key_Backspace)
        return true;
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString text = event.text();
    if (text.isEmpty())
        return false;
    for (const QChar c : text)
        if (!c.isPrint())
            return false;
    return true;
}

// Keys that change the text other than by typing a character.
bool IsEditingKey(const QKeyEvent& event)
{
    return event.matches(QKeySequence::Paste) || event.matches(QKeySequence::Cut) ||
           event.matches(QKeySequence::Undo) || event.matches(QKeySequence::Redo);
}

bool IsAllSpaces(const QString& text)
{
    for (const QChar c : text)
        if (c != QLatin1Char(' '))
            return false;
    return !text.isEmpty();
}

} // namespace

CNumEdit::CNumEdit(QWidget* parent) : QLineEdit(parent) {}

void CNumEdit::StepValue(int nSteps)
{
    float fValue = GetValue() + static_cast<float>(nSteps) * m_fDelta;
    if (fValue > m_fUpperBound)
        fValue = m_fUpperBound;
    else if (fValue < m_fLowerBound)
        fValue = m_fLowerBound;
    SetValue(fValue);
}

float CNumEdit::GetDelta() const { return m_fDelta; }

void CNumEdit::SetDelta(float fDelta) { m_fDelta = fDelta; }

void CNumEdit::GetRange(float& fMin, float& fMax) const
{
    fMin = m_fLowerBound;
    fMax = m_fUpperBound;
}

void CNumEdit::SetRange(float fMin, float fMax)
{
    m_fLowerBound = fMin;
    m_fUpperBound = fMax;
}

bool CNumEdit::GetShowErrors() const { return m_bShowErrors; }

void CNumEdit::SetShowErrors(bool bShow) { m_bShowErrors = bShow; }

int CNumEdit::CheckText(const QString& text)
{
    const ScannedNumber scanned = ScanNumberText(text.toStdString());
    int nFlags = scanned.nItems == 1 ? kValid : kNotANumber;
    // The C scan reads "nan" as a number; a value that compares with nothing is no cursor position.
    const bool bNumberRead = scanned.nItems >= 1 && !std::isnan(scanned.fValue);
    if (!bNumberRead)
        nFlags = kNotANumber;
    else if (scanned.fValue > m_fUpperBound || scanned.fValue < m_fLowerBound)
        nFlags = kOutOfRange;

    if (m_bShowErrors && nFlags != kValid) {
        // The box has always ended its text with a line feed: an empty line follows.
        ShowMessage(Message(nFlags == kOutOfRange ? text::kValueOutOfRange : text::kValueNotANumber, {""},
                            MessageIcon::Stop));
    }
    return nFlags;
}

int CNumEdit::CheckText() { return CheckText(text()); }

bool CNumEdit::SetValue(float fValue)
{
    if (!(m_fLowerBound <= fValue && fValue <= m_fUpperBound))
        return false;
    QString format;
    BuildFormat(format, fValue);
    setText(QString::fromStdString(FormatNumber(format.toLatin1().constData(), fValue)));
    return true;
}

float CNumEdit::GetValue()
{
    if (CheckText() != kValid)
        return 0.0f;
    return ScanNumberText(text().toStdString()).fValue;
}

QString& CNumEdit::BuildFormat(QString& result, float fValue)
{
    const int nDecimals = CountDecimalsG(fValue);
    if (nDecimals > m_nDecimals)
        m_nDecimals = static_cast<unsigned char>(nDecimals);
    result = QStringLiteral("%.%1f").arg(static_cast<int>(m_nDecimals));
    return result;
}

void CNumEdit::keyPressEvent(QKeyEvent* event)
{
    if (IsEditingKey(*event)) {
        ApplyEditing([this, event] { QLineEdit::keyPressEvent(event); });
        return;
    }
    if (!IsCharacterKey(*event)) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (m_bDiscardTypeAhead) {
        event->accept();
        return;
    }
    OnChar(event);
}

// Text committed by an input method is typing too; it gets the same check as a key.
void CNumEdit::inputMethodEvent(QInputMethodEvent* event)
{
    if (event->commitString().isEmpty()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    ApplyTyping([this, event] { QLineEdit::inputMethodEvent(event); });
}

void CNumEdit::OnChar(QKeyEvent* event)
{
    if (IsAllSpaces(event->text())) {
        event->accept();
        return;
    }
    ApplyTyping([this, event] { QLineEdit::keyPressEvent(event); });
}

void CNumEdit::contextMenuEvent(QContextMenuEvent* event)
{
    const std::unique_ptr<QMenu> menu(createStandardContextMenu());
    ApplyEditing([&menu, event] { menu->exec(event->globalPos()); });
    event->accept();
}

void CNumEdit::dropEvent(QDropEvent* event)
{
    ApplyEditing([this, event] { QLineEdit::dropEvent(event); });
}

// The middle button pastes the selection of other programs.
void CNumEdit::mouseReleaseEvent(QMouseEvent* event)
{
    ApplyEditing([this, event] { QLineEdit::mouseReleaseEvent(event); });
}

template <typename DefaultHandling>
void CNumEdit::ApplyTyping(DefaultHandling defaultHandling)
{
    const float fOld = ValueBeforeTyping();
    defaultHandling();
    if (CheckText() != kValid) {
        RefuseChange(fOld);
        return;
    }
    // Typing more decimals than shown so far widens what later values show.
    QString format;
    BuildFormat(format, GetValue());
}

// As typing, but only a change is checked: copying or selecting leaves any text as it is.
template <typename Editing>
void CNumEdit::ApplyEditing(Editing editing)
{
    const QString before = text();
    const float fOld = ValueBeforeTyping();
    editing();
    if (text() == before)
        return;
    if (CheckText() != kValid) {
        RefuseChange(fOld);
        return;
    }
    QString format;
    BuildFormat(format, GetValue());
}

// The old value comes back, selected, so the next key replaces it.
void CNumEdit::RefuseChange(float fOld)
{
    SetValue(fOld);
    selectAll(); // also leaves the caret at the end, in view
    DiscardTypeAhead();
}

// The value to go back to. An empty or invalid box is not the user's mistake at this point (the
// key may well make it valid), so no message is raised for it.
float CNumEdit::ValueBeforeTyping()
{
    const bool bShowErrors = m_bShowErrors;
    m_bShowErrors = false;
    const float fValue = GetValue();
    m_bShowErrors = bShowErrors;
    return fValue;
}

// Keys already queued when typing was refused were typed blind; they are dropped until the event
// loop has delivered everything pending and comes back to posted calls.
void CNumEdit::DiscardTypeAhead()
{
    m_bDiscardTypeAhead = true;
    QMetaObject::invokeMethod(this, [this] { m_bDiscardTypeAhead = false; }, Qt::QueuedConnection);
}

} // namespace veldran
