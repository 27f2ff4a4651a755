// The about box: its texts, where its controls sit, and that it closes and returns.

#include "app/AboutDialog.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using veldran::CAboutDialog;

class AboutTest : public QObject {
    Q_OBJECT

private slots:
    void texts();
    void layout_data();
    void layout();
    void closes_data();
    void closes();
    void showAboutBoxReturns();
};

void AboutTest::texts()
{
    CAboutDialog dlg;
    QCOMPARE(dlg.windowTitle(), QStringLiteral("VELDRAN 정보"));
    QCOMPARE(dlg.findChild<QLabel*>("version")->text(), QStringLiteral("VELDRAN 버전 2.0"));
    QVERIFY(!dlg.findChild<QLabel*>("notice")->text().isEmpty());
    auto* ok = dlg.findChild<QPushButton*>("1");
    QVERIFY(ok);
    QCOMPARE(ok->text(), QStringLiteral("확인"));
    QVERIFY(ok->isDefault());
    const QPixmap icon = dlg.findChild<QLabel*>("icon")->pixmap();
    QVERIFY(!icon.isNull());
    QCOMPARE(icon.size(), QSize(32, 32));
}

void AboutTest::layout_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QRect>("dlu"); // an empty size: only the position is given

    QTest::newRow("icon") << "icon" << QRect(11, 15, 0, 0);
    QTest::newRow("version") << "version" << QRect(40, 16, 134, 8);
    QTest::newRow("notice") << "notice" << QRect(40, 28, 134, 8);
    QTest::newRow("OK") << "1" << QRect(178, 7, 50, 14);
}

void AboutTest::layout()
{
    QFETCH(QString, control);
    QFETCH(QRect, dlu);

    CAboutDialog dlg;
    // Dialog units follow the dialog's own font.
    const veldran::DialogBaseUnits units = veldran::BaseUnitsOf(dlg.font());
    QCOMPARE(dlg.size(), veldran::MapDialogSize(QSize(235, 55), units));

    auto* widget = dlg.findChild<QWidget*>(control);
    QVERIFY(widget);
    const QRect expected = veldran::MapDialogRect(dlu, units);
    QCOMPARE(widget->pos(), expected.topLeft());
    if (!dlu.size().isEmpty())
        QCOMPARE(widget->size(), expected.size());
    QVERIFY2(dlg.rect().contains(widget->geometry()), "control reaches beyond the dialog");
    if (auto* label = qobject_cast<QLabel*>(widget); label && !label->text().isEmpty())
        QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(), "text is cut off");
}

void AboutTest::closes_data()
{
    QTest::addColumn<bool>("bEscape");
    QTest::newRow("OK button") << false;
    QTest::newRow("Escape") << true;
}

void AboutTest::closes()
{
    QFETCH(bool, bEscape);
    CAboutDialog dlg;
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    if (bEscape)
        QTest::keyClick(&dlg, Qt::Key_Escape);
    else
        QTest::mouseClick(dlg.findChild<QPushButton*>("1"), Qt::LeftButton);
    QVERIFY(!dlg.isVisible());
    QCOMPARE(dlg.result(), bEscape ? int(QDialog::Rejected) : int(QDialog::Accepted));
}

void AboutTest::showAboutBoxReturns()
{
    QWidget owner;
    owner.show();
    QString title;
    QWidget* parent = nullptr;
    QTimer::singleShot(0, this, [&] {
        QWidget* box = QApplication::activeModalWidget();
        if (!box)
            return;
        title = box->windowTitle();
        parent = box->parentWidget();
        if (auto* ok = box->findChild<QPushButton*>("1"))
            ok->click();
    });
    // Whatever happens above, the box must not stay open.
    QTimer::singleShot(5000, this, [] {
        if (QWidget* box = QApplication::activeModalWidget())
            box->close();
    });
    veldran::ShowAboutBox(&owner);
    QCOMPARE(title, QStringLiteral("VELDRAN 정보"));
    QCOMPARE(parent, &owner);
}

QTEST_MAIN(AboutTest)
#include "about_test.moc"
