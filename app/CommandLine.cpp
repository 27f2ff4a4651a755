#include "app/CommandLine.h"

namespace veldran {
namespace {

// "-p", "--p", "/p" → "p"; the empty string for an argument that is not a switch. A slash only
// makes a switch for the exact traditional names, so that absolute paths stay file names.
QString SwitchName(const QString& argument)
{
    if (argument.startsWith(QLatin1String("--")))
        return argument.mid(2).toLower();
    if (argument.startsWith(QLatin1Char('-')) && argument.size() > 1)
        return argument.mid(1).toLower();
    if (argument.startsWith(QLatin1Char('/'))) {
        const QString name = argument.mid(1).toLower();
        static const QStringList traditional{"p", "pt", "dde", "embedding", "automation"};
        if (traditional.contains(name))
            return name;
    }
    return QString();
}

} // namespace

CommandLineInfo ParseCommandLine(const QStringList& arguments)
{
    CommandLineInfo info;
    // Words after "print-to": the file, then the printer, the driver and the port.
    int printToWord = -1;
    for (const QString& argument : arguments) {
        const QString name = SwitchName(argument);
        if (name.isEmpty()) {
            switch (printToWord) {
            case 1: info.m_strPrinterName = argument; break;
            case 2: info.m_strDriverName = argument; break;
            case 3: info.m_strPortName = argument; break;
            default:
                if (info.m_strFileName.isEmpty())
                    info.m_strFileName = argument;
                else
                    info.m_unknown << argument;
                break;
            }
            if (printToWord >= 0 && printToWord < 4)
                ++printToWord;
            if (info.m_nShellCommand == CommandLineInfo::ShellCommand::FileNew)
                info.m_nShellCommand = CommandLineInfo::ShellCommand::FileOpen;
            continue;
        }
        if (name == "p" || name == "print") {
            info.m_nShellCommand = CommandLineInfo::ShellCommand::FilePrint;
        } else if (name == "pt" || name == "print-to") {
            info.m_nShellCommand = CommandLineInfo::ShellCommand::FilePrintTo;
            printToWord = 0;
        } else if (name == "dde") {
            info.m_nShellCommand = CommandLineInfo::ShellCommand::FileDDE;
        } else if (name == "embedding") {
            info.m_bShowSplash = false;
            info.m_bRunEmbedded = true;
        } else if (name == "automation") {
            info.m_bShowSplash = false;
            info.m_bRunAutomated = true;
        } else if (name == "h" || name == "help" || name == "?") {
            info.m_bShowHelp = true;
        } else if (name == "v" || name == "version") {
            info.m_bShowVersion = true;
        } else {
            info.m_unknown << argument;
        }
    }
    if (info.m_nShellCommand == CommandLineInfo::ShellCommand::FileNew && (info.m_bRunEmbedded || info.m_bRunAutomated))
        info.m_nShellCommand = CommandLineInfo::ShellCommand::FileNothing;
    return info;
}

QString CommandLineHelp()
{
    return QStringLiteral(
        "Usage: veldran [switches] [capture.vxr]\n"
        "\n"
        "  capture.vxr            open this capture file\n"
        "  -p, --print FILE       print the capture's snapshot on the default printer and exit\n"
        "  --print-to FILE PRINTER DRIVER PORT\n"
        "                         print on the named printer and exit\n"
        "  --dde                  accepted for compatibility; opens nothing\n"
        "  --embedding            started by another program: no splash window\n"
        "  --automation           started for automation: no splash window\n"
        "  -v, --version          show the version and exit\n"
        "  -h, --help             show this text and exit\n"
        "\n"
        "Environment: VELDRAN_COM<n> names the device behind COMn (default /dev/ttyS<n-1>);\n"
        "             VELDRAN_LANG=ko|en chooses the language (default: the desktop's, Korean\n"
        "             unless it is English).\n");
}

} // namespace veldran
