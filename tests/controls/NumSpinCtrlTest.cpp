// The spin control stepping its numeric edit buddy.

#include "controls/CNumEdit.h"
#include "controls/CNumSpinCtrl.h"

#include <QHBoxLayout>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

using veldran::CNumEdit;
using veldran::CNumSpinCtrl;

namespace {

// An edit with its spin beside it, shown so that the arrows have a size to be clicked in.
struct SpinPair {
    QWidget form;
    CNumEdit* edit = new CNumEdit(&form);
    CNumSpinCtrl* spin = new CNumSpinCtrl(&form);

    SpinPair(float lower, float upper)
    {
        auto* layout = new QHBoxLayout(&form);
        layout->addWidget(edit);
        layout->addWidget(spin);
        spin->SetBuddy(edit);
        spin->SetRange(lower, upper);
        spin->SetDelta(1.0f);
        form.resize(160, 40);
        form.show();
    }
    QToolButton* Arrow(const char* name) const { return spin->findChild<QToolButton*>(name); }
};

} // namespace

class NumSpinCtrlTest : public QObject {
    Q_OBJECT

private slots:
    void setBuddyShowsZero();
    void forwardsNothingWithoutNumericBuddy();
    void arrowsStepAndClamp_data();
    void arrowsStepAndClamp();
    void setPosRespectsRange();
    void onSpinDelta_data();
    void onSpinDelta();
    void heldArrowRepeats();
};

void NumSpinCtrlTest::setBuddyShowsZero()
{
    CNumEdit first;
    CNumEdit second;
    QVERIFY(second.SetValue(2.5f));
    CNumSpinCtrl spin;

    QCOMPARE(spin.SetBuddy(&first), nullptr);
    QCOMPARE(first.text(), QString("0"));
    QCOMPARE(spin.SetBuddy(&second), &first);
    QCOMPARE(second.text(), QString("0.0"));
    QCOMPARE(spin.GetBuddy(), &second);
    QCOMPARE(spin.SetBuddy(nullptr), &second);
    QCOMPARE(spin.GetBuddy(), nullptr);
}

void NumSpinCtrlTest::forwardsNothingWithoutNumericBuddy()
{
    QLineEdit plain;
    plain.setText("42");
    CNumSpinCtrl spin;
    spin.SetBuddy(&plain);
    spin.SetDelta(5.0f);
    spin.SetPos(7.0f);
    QCOMPARE(spin.GetDelta(), 0.0f);
    QCOMPARE(spin.GetPos(), 0.0f);
    float lower = -1.0f;
    float upper = -1.0f;
    spin.GetRange(lower, upper);
    QCOMPARE(lower, -1.0f);
    QCOMPARE(upper, -1.0f);
    QCOMPARE(plain.text(), QString("42"));

    // A buddy that goes away leaves the spin without one.
    auto* edit = new CNumEdit;
    spin.SetBuddy(edit);
    delete edit;
    QCOMPARE(spin.GetBuddy(), nullptr);
    spin.SetPos(1.0f);
}

void NumSpinCtrlTest::arrowsStepAndClamp_data()
{
    QTest::addColumn<float>("start");
    QTest::addColumn<QString>("arrow");
    QTest::addColumn<QString>("text");

    QTest::newRow("up") << 5.0f << "up" << "6";
    QTest::newRow("down") << 5.0f << "down" << "4";
    QTest::newRow("up at maximum") << 10.0f << "up" << "10";
    QTest::newRow("down at minimum") << 0.0f << "down" << "0";
}

void NumSpinCtrlTest::arrowsStepAndClamp()
{
    QFETCH(float, start);
    QFETCH(QString, arrow);
    QFETCH(QString, text);

    SpinPair pair(0.0f, 10.0f);
    pair.spin->SetPos(start);
    QToolButton* button = pair.Arrow(arrow.toLatin1().constData());
    QVERIFY(button);
    QSignalSpy changes(pair.edit, &QLineEdit::textChanged);
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(pair.edit->text(), text);
    QCOMPARE(changes.count(), text == QString::number(start) ? 0 : 1);
    QCOMPARE(pair.spin->GetPos(), text.toFloat());
}

void NumSpinCtrlTest::setPosRespectsRange()
{
    SpinPair pair(0.0f, 10.0f);
    float lower = 0.0f;
    float upper = 0.0f;
    pair.spin->GetRange(lower, upper);
    QCOMPARE(lower, 0.0f);
    QCOMPARE(upper, 10.0f);

    pair.spin->SetPos(3.0f);
    QCOMPARE(pair.spin->GetPos(), 3.0f);
    QCOMPARE(pair.spin->GetIntegerPos(), CNumSpinCtrl::kMiddlePos);
    pair.spin->SetPos(11.0f);
    QCOMPARE(pair.edit->text(), QString("3"));
}

void NumSpinCtrlTest::onSpinDelta_data()
{
    QTest::addColumn<int>("pos");
    QTest::addColumn<int>("delta");
    QTest::addColumn<int>("newPos");

    QTest::newRow("up, middle") << 500 << 1 << 500;
    QTest::newRow("up, bottom") << 0 << 1 << 500;
    QTest::newRow("up, one above bottom") << 1 << 1 << 500;
    QTest::newRow("up, two above bottom") << 2 << 1 << 2;
    QTest::newRow("up, near top") << 999 << 1 << 500;
    QTest::newRow("up, just below") << 998 << 1 << 998;
    QTest::newRow("down, middle") << 500 << -1 << 500;
    QTest::newRow("down, bottom") << 0 << -1 << 0;
    QTest::newRow("down, below bottom") << -1 << -1 << 500;
    QTest::newRow("down, top") << 1000 << -1 << 1000;
    QTest::newRow("down, beyond top") << 1001 << -1 << 500;
}

void NumSpinCtrlTest::onSpinDelta()
{
    QFETCH(int, pos);
    QFETCH(int, delta);
    QFETCH(int, newPos);

    CNumEdit edit;
    CNumSpinCtrl spin;
    spin.SetBuddy(&edit);
    spin.SetRange(0.0f, 100.0f);
    spin.SetPos(50.0f);
    spin.OnSpinDelta(pos, delta);
    QCOMPARE(pos, newPos);
    QCOMPARE(edit.GetValue(), 50.0f + float(delta));
}

void NumSpinCtrlTest::heldArrowRepeats()
{
    SpinPair pair(0.0f, 1000.0f);
    QVERIFY(QTest::qWaitForWindowExposed(&pair.form));
    QToolButton* up = pair.Arrow("up");
    QTest::mousePress(up, Qt::LeftButton);
    QCOMPARE(pair.spin->GetPos(), 1.0f);
    QTRY_VERIFY(pair.spin->GetPos() > 2.0f);
    QTest::mouseRelease(up, Qt::LeftButton);

    const float released = pair.spin->GetPos();
    QTest::qWait(200);
    QCOMPARE(pair.spin->GetPos(), released);
}

QTEST_MAIN(NumSpinCtrlTest)
#include "NumSpinCtrlTest.moc"
