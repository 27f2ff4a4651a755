#pragma once
// An edit box that holds one floating-point number within a range. Typing that would leave
// anything but a number in the box is undone at once, and so is a paste, a drop, a cut or an undo; the value is shown with as many decimals as
// the most precise value shown or typed so far. textChanged() is its change notification: it fires
// on every accepted keystroke and every value set by the program or by a spin step.

#include <QLineEdit>
#include <QString>

#include <cfloat>

class QContextMenuEvent;
class QDropEvent;
class QInputMethodEvent;
class QKeyEvent;
class QMouseEvent;

namespace veldran {

class CNumEdit : public QLineEdit {
    Q_OBJECT

public:
    // CheckText results; only one is ever returned.
    enum CheckFlags { kValid = 0, kOutOfRange = 1, kNotANumber = 2 };

    explicit CNumEdit(QWidget* parent = nullptr);

    // Adds steps × delta to the value, clamped to the range, and shows the result.
    virtual void StepValue(int nSteps);
    [[nodiscard]] virtual float GetDelta() const;
    virtual void SetDelta(float fDelta);
    virtual void GetRange(float& fMin, float& fMax) const;
    // Stores both bounds as given; the value on show is not tested against them again.
    virtual void SetRange(float fMin, float fMax);
    [[nodiscard]] virtual bool GetShowErrors() const;
    virtual void SetShowErrors(bool bShow);
    // One of CheckFlags; with ShowErrors set an invalid text also raises a message box.
    virtual int CheckText(const QString& text);
    virtual int CheckText();
    // Refuses (returns false, changes nothing) a value outside the range or NaN.
    virtual bool SetValue(float fValue);
    // The number in the box, or 0.0 when the text is not a valid number in range.
    virtual float GetValue();
    // Widens the decimals to what value needs and returns the printf format "%.Nf" in result.
    virtual QString& BuildFormat(QString& result, float fValue);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    // Pasting, dropping, cutting, undoing: text that arrives other than by typing gets the same
    // check, and a change that leaves no valid number is refused.
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // A character typed into the box (printable text or backspace).
    virtual void OnChar(QKeyEvent* event);

    unsigned char m_nDecimals = 0;
    bool m_bShowErrors = false;
    float m_fDelta = 1.0f;
    float m_fLowerBound = -FLT_MAX;
    float m_fUpperBound = FLT_MAX;

private:
    template <typename DefaultHandling>
    void ApplyTyping(DefaultHandling defaultHandling);
    template <typename Editing>
    void ApplyEditing(Editing editing);
    void RefuseChange(float fOld);
    float ValueBeforeTyping();
    void DiscardTypeAhead();

    // Set after refused typing until the event loop is back, so that keys typed ahead are dropped.
    bool m_bDiscardTypeAhead = false;
};

} // namespace veldran
