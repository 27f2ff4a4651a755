// Typing into the numeric edit box, its validation and how it shows values.

#include "controls/CNumEdit.h"
#include "tests/common/MessageRecorder.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <cfloat>
#include <cmath>
#include <limits>

using veldran::CNumEdit;
using veldran::test::MessageRecorder;

namespace {

bool WholeTextSelected(const CNumEdit& edit)
{
    return edit.hasSelectedText() && edit.selectionStart() == 0 && edit.selectedText() == edit.text();
}

} // namespace

class NumEditTest : public QObject {
    Q_OBJECT

private slots:
    void typing_data();
    void typing();
    void minusInFrontOfDigits();
    void backspaceThatEmptiesIsRefused();
    void deleteKeyIsNotFiltered();
    void pasteIsNotTyping();
    void pasteGetsTheTypingCheck_data();
    void pasteGetsTheTypingCheck();
    void typeAheadIsDiscarded();
    void typedDecimalsWiden();
    void checkText_data();
    void checkText();
    void errorMessages_data();
    void errorMessages();
    void buildFormat_data();
    void buildFormat();
    void setValue_data();
    void setValue();
    void stepValueClamps_data();
    void stepValueClamps();
};

void NumEditTest::typing_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("selected");

    QTest::newRow("digit") << "" << "5" << "5" << false;
    QTest::newRow("trailing point") << "" << "5." << "5." << false;
    QTest::newRow("letter after point") << "" << "5.a" << "5" << true;
    QTest::newRow("space") << "5" << " " << "5" << false;
    QTest::newRow("lone minus") << "" << "-" << "0" << true;
    QTest::newRow("lone point") << "" << "." << "0" << true;
    QTest::newRow("decimal comma") << "" << "1," << "1" << true;
    QTest::newRow("digits") << "" << "0.125" << "0.125" << false;
}

void NumEditTest::typing()
{
    QFETCH(QString, start);
    QFETCH(QString, keys);
    QFETCH(QString, expected);
    QFETCH(bool, selected);

    CNumEdit edit;
    edit.setText(start);
    edit.end(false);
    QTest::keyClicks(&edit, keys);
    QCOMPARE(edit.text(), expected);
    QCOMPARE(WholeTextSelected(edit), selected);
}

void NumEditTest::minusInFrontOfDigits()
{
    CNumEdit edit;
    QTest::keyClicks(&edit, "25");
    QTest::keyClick(&edit, Qt::Key_Home);
    QTest::keyClick(&edit, '-');
    QCOMPARE(edit.text(), QString("-25"));
    QCOMPARE(edit.GetValue(), -25.0f);
}

void NumEditTest::backspaceThatEmptiesIsRefused()
{
    CNumEdit edit;
    QTest::keyClicks(&edit, "47");
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QCOMPARE(edit.text(), QString("4"));
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QCOMPARE(edit.text(), QString("4"));
    QVERIFY(WholeTextSelected(edit));
}

void NumEditTest::deleteKeyIsNotFiltered()
{
    CNumEdit edit;
    QTest::keyClicks(&edit, "8");
    QSignalSpy changes(&edit, &QLineEdit::textChanged);
    QTest::keyClick(&edit, Qt::Key_Home);
    QTest::keyClick(&edit, Qt::Key_Delete);
    QCOMPARE(edit.text(), QString());
    QCOMPARE(changes.count(), 1);
    QCOMPARE(edit.GetValue(), 0.0f);
}

void NumEditTest::pasteIsNotTyping()
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText("12");
    if (clipboard->text() != "12")
        QSKIP("no clipboard on this platform");
    CNumEdit edit;
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(edit.text(), QString("12"));
}

void NumEditTest::pasteGetsTheTypingCheck_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("selected");

    for (const char* how : {"Ctrl+V", "Shift+Insert", "context menu"}) {
        QTest::addRow("%s: a cell word, out of range", how) << how << "0101010101010101" << "5" << true;
        QTest::addRow("%s: letters", how) << how << "abc" << "5" << true;
        QTest::addRow("%s: a minus alone", how) << how << "-" << "5" << true;
        QTest::addRow("%s: a number in range", how) << how << "42" << "42" << false;
    }
}

void NumEditTest::pasteGetsTheTypingCheck()
{
    QFETCH(QString, how);
    QFETCH(QString, pasted);
    QFETCH(QString, expected);
    QFETCH(bool, selected);
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(pasted);
    if (clipboard->text() != pasted)
        QSKIP("no clipboard on this platform");

    CNumEdit edit;
    edit.SetRange(0.0f, 99.0f);
    edit.SetValue(5.0f);
    edit.show();
    QVERIFY(QTest::qWaitForWindowExposed(&edit));
    edit.selectAll();
    if (how == "Ctrl+V") {
        QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    } else if (how == "Shift+Insert") {
        QTest::keyClick(&edit, Qt::Key_Insert, Qt::ShiftModifier);
    } else {
        bool pastedFromMenu = false;
        QTimer::singleShot(0, &edit, [&pastedFromMenu] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu)
                return;
            for (QAction* action : menu->actions()) {
                if (action->text().contains(QStringLiteral("Paste")) && action->isEnabled()) {
                    action->trigger();
                    pastedFromMenu = true;
                }
            }
            menu->close();
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), edit.mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(&edit, &event);
        QTRY_VERIFY(pastedFromMenu);
    }
    QCOMPARE(edit.text(), expected);
    QCOMPARE(WholeTextSelected(edit), selected);
}

void NumEditTest::typeAheadIsDiscarded()
{
    CNumEdit edit;
    // The keys after the refused "x" arrive before the event loop runs again.
    QTest::keyClicks(&edit, "3x9");
    QCOMPARE(edit.text(), QString("3"));
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QCOMPARE(edit.text(), QString("3"));

    QCoreApplication::processEvents();
    QTest::keyClick(&edit, '7');
    QCOMPARE(edit.text(), QString("7"));
}

void NumEditTest::typedDecimalsWiden()
{
    CNumEdit edit;
    QTest::keyClicks(&edit, "0.125");
    QVERIFY(edit.SetValue(2.0f));
    QCOMPARE(edit.text(), QString("2.000"));
}

void NumEditTest::checkText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<float>("lower");
    QTest::addColumn<float>("upper");
    QTest::addColumn<int>("flags");

    const float lowest = -FLT_MAX;
    const float highest = FLT_MAX;
    QTest::newRow("number") << "12" << lowest << highest << 0;
    QTest::newRow("number then letters") << "12abc" << lowest << highest << 2;
    QTest::newRow("number then blank") << "12 " << lowest << highest << 0;
    QTest::newRow("blank then number") << " \t12" << lowest << highest << 0;
    QTest::newRow("two numbers") << "1 2" << lowest << highest << 2;
    QTest::newRow("decimal comma") << "1,5" << lowest << highest << 2;
    QTest::newRow("empty") << "" << lowest << highest << 2;
    QTest::newRow("blank") << "   " << lowest << highest << 2;
    QTest::newRow("lone minus") << "-" << lowest << highest << 2;
    QTest::newRow("letters") << "abc" << lowest << highest << 2;
    QTest::newRow("full-width digit") << QString::fromUtf8("５") << lowest << highest << 2;
    QTest::newRow("plus sign") << "+7" << lowest << highest << 0;
    QTest::newRow("trailing point") << "5." << lowest << highest << 0;
    QTest::newRow("exponent") << "1e3" << lowest << highest << 0;
    QTest::newRow("nan") << "nan" << lowest << highest << 2;
    QTest::newRow("infinity") << "inf" << lowest << highest << 1;
    QTest::newRow("float overflow") << "1e39" << lowest << highest << 1;
    QTest::newRow("above maximum") << "20" << 0.0f << 10.0f << 1;
    QTest::newRow("below minimum") << "-1" << 0.0f << 10.0f << 1;
    QTest::newRow("bounds inclusive") << "10" << 0.0f << 10.0f << 0;
    QTest::newRow("range replaces word") << "20abc" << 0.0f << 10.0f << 1;
    QTest::newRow("embedded nul") << QString("5") + QChar(0) + "x" << lowest << highest << 2;
}

void NumEditTest::checkText()
{
    QFETCH(QString, text);
    QFETCH(float, lower);
    QFETCH(float, upper);
    QFETCH(int, flags);

    CNumEdit edit;
    edit.SetRange(lower, upper);
    QCOMPARE(edit.CheckText(text), flags);
    edit.setText(text);
    QCOMPARE(edit.CheckText(), flags);
}

void NumEditTest::errorMessages_data()
{
    QTest::addColumn<bool>("showErrors");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("message");

    QTest::newRow("letter, shown") << true << "5a" << "Characters must be a number.\n";
    QTest::newRow("out of range, shown") << true << "55" << "Given value is out of range.\n";
    QTest::newRow("letter, quiet") << false << "5a" << "";
    QTest::newRow("out of range, quiet") << false << "55" << "";
    QTest::newRow("valid, shown") << true << "5.5" << "";
}

void NumEditTest::errorMessages()
{
    QFETCH(bool, showErrors);
    QFETCH(QString, keys);
    QFETCH(QString, message);

    MessageRecorder recorder;
    CNumEdit edit;
    edit.SetRange(0.0f, 10.0f);
    edit.SetShowErrors(showErrors);
    QTest::keyClicks(&edit, keys);

    if (message.isEmpty()) {
        QVERIFY(recorder.messages.empty());
        return;
    }
    QCOMPARE(recorder.messages.size(), size_t(1));
    QCOMPARE(QString::fromStdString(recorder.Last()), message);
    QCOMPARE(recorder.messages.front().icon, veldran::MessageIcon::Stop);
    QCOMPARE(edit.text(), QString("5"));
}

void NumEditTest::buildFormat_data()
{
    QTest::addColumn<QList<float>>("values");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("format");

    QTest::newRow("integer") << QList<float>{7.0f} << "7" << "%.0f";
    QTest::newRow("one decimal kept") << QList<float>{2.5f, 7.0f} << "7.0" << "%.1f";
    QTest::newRow("three decimals kept") << QList<float>{0.125f, 2.5f, 1.0f} << "1.000" << "%.3f";
    QTest::newRow("never shrinks") << QList<float>{0.125f, 0.5f} << "0.500" << "%.3f";
    QTest::newRow("six significant digits") << QList<float>{1.0f / 3.0f} << "0.333333" << "%.6f";
    QTest::newRow("exponent counts") << QList<float>{1.5e-7f, 1.0f} << "1.00000" << "%.5f";
}

void NumEditTest::buildFormat()
{
    QFETCH(QList<float>, values);
    QFETCH(QString, text);
    QFETCH(QString, format);

    CNumEdit edit;
    for (float value : values)
        QVERIFY(edit.SetValue(value));
    QCOMPARE(edit.text(), text);
    QString built;
    QCOMPARE(edit.BuildFormat(built, 1.0f), format);
    QCOMPARE(built, format);
}

void NumEditTest::setValue_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("text");

    QTest::newRow("inside") << 3.0f << true << "3";
    QTest::newRow("lower bound") << -2.0f << true << "-2";
    QTest::newRow("upper bound") << 10.0f << true << "10";
    QTest::newRow("above") << 10.5f << false << "4";
    QTest::newRow("below") << -2.5f << false << "4";
    QTest::newRow("nan") << std::numeric_limits<float>::quiet_NaN() << false << "4";
    QTest::newRow("infinity") << std::numeric_limits<float>::infinity() << false << "4";
}

void NumEditTest::setValue()
{
    QFETCH(float, value);
    QFETCH(bool, accepted);
    QFETCH(QString, text);

    CNumEdit edit;
    edit.SetRange(-2.0f, 10.0f);
    QVERIFY(edit.SetValue(4.0f));
    QSignalSpy changes(&edit, &QLineEdit::textChanged);
    QCOMPARE(edit.SetValue(value), accepted);
    QCOMPARE(edit.text(), text);
    QCOMPARE(changes.count(), accepted ? 1 : 0);
}

void NumEditTest::stepValueClamps_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<float>("delta");
    QTest::addColumn<int>("steps");
    QTest::addColumn<QString>("text");

    QTest::newRow("inside") << "4" << 1.0f << 2 << "6";
    QTest::newRow("fractional delta") << "4" << 0.25f << -3 << "3.25";
    QTest::newRow("clamped high") << "9" << 1.0f << 5 << "10";
    QTest::newRow("clamped low") << "1" << 1.0f << -5 << "0";
    QTest::newRow("invalid text reads 0") << "x" << 1.0f << 3 << "3";
}

void NumEditTest::stepValueClamps()
{
    QFETCH(QString, start);
    QFETCH(float, delta);
    QFETCH(int, steps);
    QFETCH(QString, text);

    CNumEdit edit;
    edit.SetRange(0.0f, 10.0f);
    edit.SetDelta(delta);
    edit.setText(start);
    edit.StepValue(steps);
    QCOMPARE(edit.text(), text);
}

QTEST_MAIN(NumEditTest)
#include "NumEditTest.moc"
