#include "app/CommandLine.h"

#include "help/Veldran.h"

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
    return QString::fromUtf8(help::kVeldranHelp);
}

QByteArray CommandLineUsage()
{
    return QByteArray(help::kVeldranUsage);
}

} // namespace veldran
