// The simulator and the engine on both ends of one pseudo-terminal: a press of STATE (Enter on
// the simulator's input) reaches the owner byte for byte, at full speed and paced.

#include "UiQueue.h"
#include "link/serial/SerialEngine.h"
#include "sim/ListingGenerator.h"
#include "tests/common/ChildProcess.h"

#include <QtTest>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

using namespace veldran;
using veldran::test::OwnerRecorder;
using veldran::test::UiQueue;

namespace {

// The simulator: its first line names its end of the line, Enter on its input presses STATE.
std::unique_ptr<test::ChildProcess> StartSim(const QStringList& arguments)
{
    std::vector<std::string> argv{VELDRAN_SIM_PATH};
    for (const QString& argument : arguments)
        argv.push_back(argument.toStdString());
    return std::make_unique<test::ChildProcess>(argv);
}

} // namespace

class TestSimLink : public QObject {
    Q_OBJECT

private slots:
    void listingArrivesWhole_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<int>("lines");
        QTest::addColumn<QString>("baud");
        QTest::addColumn<QString>("pacing");
        QTest::newRow("random, full speed") << "random" << 400 << "0" << QString();
        QTest::newRow("walking, 9600 baud") << "walking" << 4 << "9600" << QString();
        QTest::newRow("walking, 9600 baud, byte by byte") << "walking" << 2 << "9600" << "--byte-by-byte";
    }

    void listingArrivesWhole()
    {
        QFETCH(QString, pattern);
        QFETCH(int, lines);
        QFETCH(QString, baud);
        QFETCH(QString, pacing);
        QStringList arguments{"--lines", QString::number(lines), "--pattern", pattern, "--baud", baud, "--seed", "5"};
        if (!pacing.isEmpty())
            arguments << pacing;
        const auto sim = StartSim(arguments);
        const std::string path = sim->FirstLine();
        QVERIFY(!path.empty());
        qputenv("VELDRAN_COM1", QByteArray::fromStdString(path));
        UiQueue ui;
        OwnerRecorder owner;
        CSerialEngine engine(ui.Poster());
        QCOMPARE(engine.Open(&owner, 1, 9600, 'N', 8, 1, EV_VIEW_MASK), 1);
        QCOMPARE(engine.StartWorker(), 1);
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!engine.IsRunning() && std::chrono::steady_clock::now() < giveUp)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));

        QVERIFY(sim->Type("\n"));
        sim::EPattern expectedPattern = sim::EPattern::Counter;
        QVERIFY(sim::ParsePattern(pattern.toStdString(), expectedPattern));
        const QByteArray expected = QByteArray::fromStdString(sim::GenerateListing({lines, expectedPattern, 5}));
        while (owner.ReceivedBytes().size() < expected.size())
            QVERIFY2(ui.RunOne(), "the listing stopped short");
        QCOMPARE(owner.ReceivedBytes(), expected);
        QVERIFY(owner.errors.empty());
        engine.Stop();
        qunsetenv("VELDRAN_COM1");
    }
};

QTEST_APPLESS_MAIN(TestSimLink)
#include "test_sim_link.moc"
