// The command router: each command declared once, its condition deciding whether its menu item,
// keys and buttons work.

#include "app/CommandRouter.h"

#include <QAction>
#include <QSignalSpy>
#include <QTest>

using namespace veldran;

class CommandRouterTest : public QObject {
    Q_OBJECT
private slots:
    void aCommandIsDeclaredOnce()
    {
        CommandRouter router;
        int first = 0, second = 0;
        QVERIFY(router.Register(7, [&] { ++first; }));
        QVERIFY(!router.Register(7, [&] { ++second; }));
        QVERIFY(!router.Register(8, {}));
        QVERIFY(router.Execute(7));
        QCOMPARE(first, 1);
        QCOMPARE(second, 0);
        QVERIFY(!router.IsHandled(8));
    }

    void conditionDecidesExecutionAndActions_data()
    {
        QTest::addColumn<bool>("actionFirst"); // the menu built before the command is declared
        QTest::newRow("action made after registration") << false;
        QTest::newRow("action made before registration") << true;
    }

    void conditionDecidesExecutionAndActions()
    {
        QFETCH(bool, actionFirst);
        CommandRouter router;
        QSignalSpy executed(&router, &CommandRouter::commandExecuted);
        QAction* early = actionFirst ? router.Action(5) : nullptr;
        if (early)
            QVERIFY(!early->isEnabled());
        bool shown = false;
        int runs = 0;
        router.Register(5, [&] { ++runs; }, [&] { return shown; });
        QAction* action = router.Action(5);
        QVERIFY(!early || early == action);
        QVERIFY(router.IsHandled(5));
        QVERIFY(!router.IsEnabled(5));
        QVERIFY(!action->isEnabled());
        QVERIFY(!router.Execute(5));
        action->trigger();
        QCOMPARE(runs, 0);

        shown = true;
        router.UpdateEnabledState();
        QVERIFY(action->isEnabled());
        action->trigger();
        QVERIFY(router.Execute(5));
        QCOMPARE(runs, 2);
        QCOMPARE(executed.count(), 2);
        QCOMPARE(executed.at(0).at(0).toInt(), 5);

        shown = false;
        router.UpdateEnabledState();
        QVERIFY(!action->isEnabled());
    }

    void unknownCommandStaysDisabled()
    {
        CommandRouter router;
        QVERIFY(!router.Action(99)->isEnabled());
        QVERIFY(!router.Execute(99));
    }
};

QTEST_MAIN(CommandRouterTest)
#include "CommandRouterTest.moc"
