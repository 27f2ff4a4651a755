#pragma once
// An up-down control that steps the value of a CNumEdit buddy by the buddy's delta. The control's
// own integer position (range 0..1000, kept near 500) means nothing; the number lives in the buddy.
// Holding an arrow repeats the step after a short delay.

#include <QPointer>
#include <QWidget>

class QToolButton;

namespace veldran {

class CNumEdit;

class CNumSpinCtrl : public QWidget {
    Q_OBJECT

public:
    static constexpr int kLowerPos = 0;
    static constexpr int kUpperPos = 1000;
    static constexpr int kMiddlePos = 500;

    explicit CNumSpinCtrl(QWidget* parent = nullptr);

    // These forward to a CNumEdit buddy and do nothing (or return 0.0) without one.
    virtual void SetDelta(float fDelta);
    [[nodiscard]] virtual float GetDelta() const;
    // Returns the previous buddy; a CNumEdit buddy is set to 0.
    virtual QWidget* SetBuddy(QWidget* pBuddy);
    [[nodiscard]] virtual QWidget* GetBuddy() const;
    virtual void GetRange(float& fMin, float& fMax) const;
    virtual void SetRange(float fMin, float fMax);
    [[nodiscard]] virtual float GetPos();
    virtual void SetPos(float fValue);

    // The position is about to change by iDelta (+1 up, −1 down): re-centre a position near an
    // end of the integer range and step the buddy. iPos may be rewritten.
    void OnSpinDelta(int& iPos, int iDelta);

    [[nodiscard]] int GetIntegerPos() const { return m_nPos; }
    [[nodiscard]] QSize sizeHint() const override;

private:
    [[nodiscard]] CNumEdit* NumBuddy() const;
    void Step(int iDelta);

    QToolButton* m_pUpButton = nullptr;
    QToolButton* m_pDownButton = nullptr;
    QPointer<QWidget> m_pBuddy;
    int m_nLower = kLowerPos;
    int m_nUpper = kUpperPos;
    int m_nPos = kMiddlePos;
};

} // namespace veldran
