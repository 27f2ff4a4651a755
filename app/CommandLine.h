#pragma once
// The command line of the program: a capture file to open, and the switches a desktop program
// takes for printing from the file manager and for being started by other programs.

#include <QString>
#include <QStringList>

namespace veldran {

struct CommandLineInfo {
    enum class ShellCommand { FileNew, FileOpen, FilePrint, FilePrintTo, FileDDE, FileNothing };

    ShellCommand m_nShellCommand = ShellCommand::FileNew;
    bool m_bShowSplash = true;
    bool m_bRunEmbedded = false;
    bool m_bRunAutomated = false;
    QString m_strFileName;
    QString m_strPrinterName;
    QString m_strDriverName;
    QString m_strPortName;
    bool m_bShowHelp = false;
    bool m_bShowVersion = false;
    QStringList m_unknown; // switches we do not know
};

// Arguments without the program name. Switches start with '-' or "--"; the traditional "/p",
// "/pt", "/dde", "/Embedding" and "/Automation" are accepted when given exactly.
[[nodiscard]] CommandLineInfo ParseCommandLine(const QStringList& arguments);

// The text of --help.
[[nodiscard]] QString CommandLineHelp();
// Its synopsis, for a wrong argument.
[[nodiscard]] QByteArray CommandLineUsage();

} // namespace veldran
