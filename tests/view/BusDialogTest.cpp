// The bus dialog: a bus made by picking, ordering and dropping channels reaches the session on OK
// and on OK only; the buses already defined can be changed and removed; a bus with no name or no
// channel is refused, named, and the session keeps what it had.

#include "tests/view/BusCaptureFixture.h"

#include "session/CaptureSession.h"
#include "view/BusDialog.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace veldran;

class BusDialogTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<CCaptureSession> m_session;
    std::unique_ptr<BusDialog> m_dialog;

    template <typename T>
    T& Child(const char* name) const
    {
        T* child = m_dialog->findChild<T*>(QString::fromLatin1(name));
        if (!child)
            qFatal("the dialog has no %s", name);
        return *child;
    }

    void Click(const char* button) const { QTest::mouseClick(&Child<QPushButton>(button), Qt::LeftButton); }

    // Selects the channels in a list of channels, by number.
    void Pick(const char* list, std::initializer_list<int> channels) const
    {
        QListWidget& shown = Child<QListWidget>(list);
        shown.clearSelection();
        for (int row = 0; row < shown.count(); ++row)
            for (const int channel : channels)
                if (shown.item(row)->data(Qt::UserRole).toInt() == channel) {
                    shown.item(row)->setSelected(true);
                    shown.setCurrentRow(row, QItemSelectionModel::Select);
                }
    }

    void Open()
    {
        m_dialog = std::make_unique<BusDialog>(*m_session);
        m_dialog->show();
    }

private slots:
    void init()
    {
        m_session = std::make_unique<CCaptureSession>();
        test::LoadCapture(m_session->Document(), 30, test::BusCaptureLevel);
        m_session->OpenCapture();
        m_session->Document().SetModifiedFlag(false);
    }

    void cleanup()
    {
        m_dialog.reset();
        m_session.reset();
    }

    void makesABusFromPickedChannels()
    {
        Open();
        QSignalSpy changed(m_session.get(), &CCaptureSession::busesChanged);
        Click("busAdd");
        QLineEdit& name = Child<QLineEdit>("busName");
        QCOMPARE(name.text(), QStringLiteral("BUS1"));
        name.selectAll();
        QTest::keyClicks(&name, QStringLiteral("DATA"));
        QCOMPARE(Child<QListWidget>("busList").item(0)->text(), QStringLiteral("DATA"));
        // The channels are offered highest first, with their working names.
        QListWidget& available = Child<QListWidget>("availableChannels");
        QCOMPARE(available.count(), 48);
        QCOMPARE(available.item(40)->text(), QStringLiteral("D7  name 7"));
        Pick("availableChannels", {0, 1, 2, 3, 4, 5, 6, 7});
        Click("takeChannel");
        QCOMPARE(available.count(), 40);
        // D9 taken on its own goes last, below D0; moved up twice it sits between D2 and D1.
        Pick("availableChannels", {9});
        Click("takeChannel");
        QListWidget& taken = Child<QListWidget>("busChannels");
        QCOMPARE(taken.item(8)->data(Qt::UserRole).toInt(), 9);
        Pick("busChannels", {9});
        Click("moveUp");
        Click("moveUp");
        QCOMPARE(taken.item(6)->text(), QStringLiteral("D9  name 9"));
        QCOMPARE(taken.item(7)->data(Qt::UserRole).toInt(), 1);
        Pick("busChannels", {9});
        Click("dropChannel");
        QCOMPARE(available.count(), 40);
        Child<QComboBox>("busRadix").setCurrentIndex(static_cast<int>(ERadix::Ascii));
        QCOMPARE(changed.count(), 0);
        m_dialog->accept();

        QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(m_session->Buses(), std::vector<Bus>{test::TypedBus("DATA=D7..D0", ERadix::Ascii)});
        QVERIFY(m_session->Document().IsModified());
    }

    void ordersTheChannelsOfABus()
    {
        Open();
        Click("busAdd");
        for (const int channel : {0, 7, 3}) {
            Pick("availableChannels", {channel});
            Click("takeChannel");
        }
        Pick("busChannels", {7});
        Click("moveUp");
        Pick("busChannels", {0});
        Click("moveDown");
        Click("moveDown"); // already last: stays
        m_dialog->accept();
        QCOMPARE(m_session->Buses().at(0).channels, (std::vector<int>{7, 3, 0}));
    }

    void changesAndRemovesTheBusesDefined()
    {
        m_session->SetBuses({test::TypedBus("A=D1,D0", ERadix::Hex), test::TypedBus("B=D5", ERadix::Binary)});
        m_session->Document().SetModifiedFlag(false);
        Open();
        QListWidget& buses = Child<QListWidget>("busList");
        QCOMPARE(buses.count(), 2);
        QCOMPARE(Child<QListWidget>("busChannels").count(), 2);
        buses.setCurrentRow(1);
        QCOMPARE(Child<QComboBox>("busRadix").currentIndex(), static_cast<int>(ERadix::Binary));
        Child<QComboBox>("busRadix").setCurrentIndex(static_cast<int>(ERadix::Signed));
        buses.setCurrentRow(0);
        Click("busRemove");
        QCOMPARE(buses.count(), 1);
        QCOMPARE(Child<QLineEdit>("busName").text(), QStringLiteral("B"));
        m_dialog->accept();
        QCOMPARE(m_session->Buses(), std::vector<Bus>{test::TypedBus("B=D5", ERadix::Signed)});

        // OK on what is already there changes nothing, not even the modified flag.
        m_session->Document().SetModifiedFlag(false);
        Open();
        QSignalSpy changed(m_session.get(), &CCaptureSession::busesChanged);
        m_dialog->accept();
        QCOMPARE(changed.count(), 0);
        QVERIFY(!m_session->Document().IsModified());
    }

    void addsABusFromATypedDefinition()
    {
        Open();
        QLineEdit& definition = Child<QLineEdit>("busDefinition");
        QTest::keyClicks(&definition, QStringLiteral("LOW=D3..D5"));
        QTest::keyClick(&definition, Qt::Key_Return);
        QVERIFY(m_dialog->isVisible());
        // The working names serve as well as D numbers.
        QTest::keyClicks(&definition, QStringLiteral("BYTE=\"name 7\"..D0"));
        Click("applyDefinition");
        QCOMPARE(Child<QListWidget>("busList").count(), 2);
        QCOMPARE(Child<QListWidget>("busChannels").item(0)->text(), QStringLiteral("D7  name 7"));
        QVERIFY(definition.text().isEmpty());
        // A refused definition says why, adds nothing and stays to be put right.
        QTest::keyClicks(&definition, QStringLiteral("BAD=D3,D3"));
        QTest::keyClick(&definition, Qt::Key_Return);
        QVERIFY2(m_dialog->Refusal().contains(QStringLiteral("두 번")), qPrintable(m_dialog->Refusal()));
        QCOMPARE(definition.text(), QStringLiteral("BAD=D3,D3"));
        QCOMPARE(Child<QListWidget>("busList").count(), 2);
        m_dialog->accept();
        QCOMPARE(m_session->Buses(), (std::vector<Bus>{test::TypedBus("LOW=D3,D4,D5", ERadix::Hex),
                                                       test::TypedBus("BYTE=D7..D0", ERadix::Hex)}));
    }

    void refusesABusWithoutNameOrChannels_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("withChannel");
        QTest::addColumn<QString>("reason");
        QTest::newRow("no name") << QStringLiteral("   ") << true << QStringLiteral("2번째 버스에 이름이 없습니다");
        QTest::newRow("no channel") << QStringLiteral("CTRL") << false << QStringLiteral("버스 \"CTRL\"에 채널이 없습니다");
    }

    void refusesABusWithoutNameOrChannels()
    {
        QFETCH(QString, name);
        QFETCH(bool, withChannel);
        QFETCH(QString, reason);
        const std::vector<Bus> before{test::TypedBus("DATA=D7..D0", ERadix::Hex)};
        m_session->SetBuses(before);
        Open();
        Click("busAdd");
        Child<QLineEdit>("busName").clear();
        QTest::keyClicks(&Child<QLineEdit>("busName"), name);
        if (withChannel) {
            Pick("availableChannels", {12});
            Click("takeChannel");
        }
        // The refused bus is picked again wherever the user was.
        Child<QListWidget>("busList").setCurrentRow(0);
        m_dialog->accept();
        QVERIFY2(m_dialog->Refusal().startsWith(reason), qPrintable(m_dialog->Refusal()));
        QVERIFY(m_dialog->isVisible());
        QCOMPARE(Child<QListWidget>("busList").currentRow(), 1);
        QCOMPARE(m_session->Buses(), before);
        // Put right, it goes through.
        Child<QLineEdit>("busName").clear();
        QTest::keyClicks(&Child<QLineEdit>("busName"), QStringLiteral("CTRL"));
        Pick("availableChannels", {12});
        Click("takeChannel");
        m_dialog->accept();
        QCOMPARE(m_session->Buses().size(), size_t{2});
        QCOMPARE(m_session->Buses().at(1).strName, std::string("CTRL"));
    }
};

QTEST_MAIN(BusDialogTest)
#include "BusDialogTest.moc"
