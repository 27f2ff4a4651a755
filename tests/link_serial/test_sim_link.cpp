// The simulator and the engine on both ends of one pseudo-terminal: a press of STATE (Enter on
// the simulator's input) reaches the owner byte for byte, at full speed and paced.

#include "UiQueue.h"
#include "link/serial/SerialEngine.h"
#include "sim/ListingGenerator.h"

#include <QtTest>

#include <chrono>
#include <cstdio>
#include <string>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

using namespace veldran;
using veldran::test::OwnerRecorder;
using veldran::test::UiQueue;

namespace {

// The simulator as a child process with its input and output on pipes.
class SimProcess {
public:
    explicit SimProcess(const QStringList& arguments)
    {
        int toSim[2] = {-1, -1};
        int fromSim[2] = {-1, -1};
        if (pipe(toSim) != 0 || pipe(fromSim) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, toSim[0], 0);
        posix_spawn_file_actions_adddup2(&actions, fromSim[1], 1);
        posix_spawn_file_actions_addclose(&actions, toSim[1]);
        posix_spawn_file_actions_addclose(&actions, fromSim[0]);
        std::vector<std::string> args{VELDRAN_SIM_PATH};
        for (const QString& argument : arguments)
            args.push_back(argument.toStdString());
        std::vector<char*> argv;
        for (auto& arg : args)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        if (posix_spawn(&m_pid, VELDRAN_SIM_PATH, &actions, nullptr, argv.data(), environ) != 0)
            m_pid = -1;
        posix_spawn_file_actions_destroy(&actions);
        close(toSim[0]);
        close(fromSim[1]);
        m_fdInput = toSim[1];
        m_pOutput = fdopen(fromSim[0], "r");
    }
    ~SimProcess()
    {
        EndInput();
        if (m_pOutput)
            fclose(m_pOutput);
        if (m_pid > 0)
            waitpid(m_pid, nullptr, 0);
    }

    [[nodiscard]] std::string ReadPath()
    {
        char szLine[256] = {};
        if (m_pid <= 0 || !m_pOutput || !fgets(szLine, sizeof szLine, m_pOutput))
            return {};
        std::string path = szLine;
        while (!path.empty() && path.back() == '\n')
            path.pop_back();
        return path;
    }
    [[nodiscard]] bool PressState() { return write(m_fdInput, "\n", 1) == 1; }
    void EndInput()
    {
        if (m_fdInput >= 0)
            close(m_fdInput);
        m_fdInput = -1;
    }

private:
    pid_t m_pid = -1;
    int m_fdInput = -1;
    FILE* m_pOutput = nullptr;
};

} // namespace

class TestSimLink : public QObject {
    Q_OBJECT

private slots:
    void listingArrivesWhole_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<int>("lines");
        QTest::addColumn<QString>("baud");
        QTest::newRow("random, full speed") << "random" << 400 << "0";
        QTest::newRow("walking, 9600 baud") << "walking" << 4 << "9600";
    }

    void listingArrivesWhole()
    {
        QFETCH(QString, pattern);
        QFETCH(int, lines);
        QFETCH(QString, baud);
        SimProcess sim({"--lines", QString::number(lines), "--pattern", pattern, "--baud", baud, "--seed", "5"});
        const std::string path = sim.ReadPath();
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

        QVERIFY(sim.PressState());
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
