// The conversion of a program's help text into its manual page and its usage message.

#include "packaging/man/HelpPage.h"

#include <QTest>

using veldran::manpage::HelpToRoff;
using veldran::manpage::HelpUsage;

namespace {

QString Roff(const char* help)
{
    return QString::fromStdString(HelpToRoff(help, {"veldran-test", "1.2", "2026-12-07"}));
}

} // namespace

class HelpPageTest : public QObject {
    Q_OBJECT

private slots:
    void roff_data()
    {
        QTest::addColumn<QString>("help");
        QTest::addColumn<QString>("expected");
        QTest::newRow("title and name") << "NAME\n    veldran-test - tries a thing\n"
                                        << ".TH VELDRAN-TEST 1 \"2026-12-07\" \"VELDRAN 1.2\" \"User Commands\"\n"
                                           ".nh\n.SH NAME\nveldran-test \\- tries a thing\n";
        QTest::newRow("two-word heading") << "EXIT STATUS\n    0  written\n" << ".SH \"EXIT STATUS\"\n.TP\n\\fB0\\fR\nwritten\n";
        QTest::newRow("option with value")
            << "OPTIONS\n    -c, --clock PERIOD\n        The time\n        of one sample.\n"
            << ".TP\n\\fB\\-c\\fR, \\fB\\-\\-clock\\fR \\fIPERIOD\\fR\nThe time\nof one sample.\n";
        QTest::newRow("control characters and backslashes")
            << "DESCRIPTION\n    A line\n    .vxr files and 'quotes\n    C:\\path\n"
            << "A line\n\\&.vxr files and 'quotes\nC:\\epath\n";
        QTest::newRow("paragraphs") << "DESCRIPTION\n    One.\n\n    Two.\n" << "One.\n.PP\nTwo.\n";
        QTest::newRow("table under a paragraph")
            << "DESCRIPTION\n    Formats:\n      .vcd  dump\n        more\n    After.\n"
            << "Formats:\n.RS\n.nf\n\\&.vcd  dump\n  more\n.fi\n.RE\n.PP\nAfter.\n";
        QTest::newRow("synopsis lines stay lines")
            << "SYNOPSIS\n    prog [--a]\n         [--b]\n\n    prog --help\n"
            << ".nf\nprog [\\-\\-a]\n     [\\-\\-b]\n.sp\nprog \\-\\-help\n.fi\n";
        QTest::newRow("a word's hyphen stays a hyphen") << "DESCRIPTION\n    comma-separated X-Y\n"
                                                        << "comma-separated X-Y\n";
    }
    void roff()
    {
        QFETCH(QString, help);
        QFETCH(QString, expected);
        const QString roff = Roff(help.toUtf8().constData());
        QVERIFY2(roff.contains(expected), qPrintable(roff));
    }

    void usageIsTheSynopsis()
    {
        const std::string usage = HelpUsage("NAME\n    p - x\n\nSYNOPSIS\n    p [--a]\n      [--b]\n    p --help\n\nOPTIONS\n"
                                            "    --a\n        A.\n");
        QCOMPARE(QString::fromStdString(usage), QStringLiteral("usage: p [--a]\n         [--b]\n       p --help\n"));
    }
};

QTEST_GUILESS_MAIN(HelpPageTest)
#include "HelpPageTest.moc"
