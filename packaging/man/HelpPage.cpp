#include "packaging/man/HelpPage.h"

#include <cctype>
#include <sstream>
#include <vector>

namespace veldran::manpage {
namespace {

constexpr size_t kBodyIndent = 4;

struct SLine {
    size_t nIndent = 0;
    std::string strText;  // without the indent; empty for a blank line
};

std::vector<SLine> SplitLines(const std::string& help)
{
    std::vector<SLine> lines;
    std::istringstream stream(help);
    std::string raw;
    while (std::getline(stream, raw)) {
        const size_t first = raw.find_first_not_of(' ');
        if (first == std::string::npos)
            lines.push_back({});
        else
            lines.push_back({first, raw.substr(first)});
    }
    return lines;
}

bool StartsWord(const std::string& out)
{
    if (out.empty())
        return true;
    const char previous = out.back();
    return previous == ' ' || previous == '(' || previous == '[' || previous == '|' || previous == '\'' || previous == '"'
        || previous == '-';
}

// Text as roff reads it literally: backslashes escaped, the hyphens of options written as minus
// signs (so that they can be searched and copied), and a leading control character neutralised.
std::string Escape(const std::string& text)
{
    std::string out;
    for (const char c : text) {
        if (c == '\\')
            out += "\\e";
        else if (c == '-' && StartsWord(out))
            out += "\\-";
        else
            out += c;
    }
    if (!out.empty() && (out[0] == '.' || out[0] == '\''))
        out.insert(0, "\\&");
    return out;
}

bool IsMetavariable(const std::string& word)
{
    bool bLetter = false;
    for (const char c : word) {
        if (std::islower(static_cast<unsigned char>(c)))
            return false;
        bLetter = bLetter || std::isupper(static_cast<unsigned char>(c));
    }
    return bLetter;
}

// "-h, --help" or "--clock PERIOD": options bold, metavariables italic.
std::string OptionTag(const std::string& tag)
{
    std::istringstream words(tag);
    std::string word;
    std::string out;
    while (words >> word) {
        if (!out.empty())
            out += ' ';
        std::string trailer;
        if (word.size() > 1 && word.back() == ',') {
            trailer = ",";
            word.pop_back();
        }
        if (word[0] == '-')
            out += "\\fB" + Escape(word) + "\\fR";
        else if (IsMetavariable(word))
            out += "\\fI" + Escape(word) + "\\fR";
        else
            out += Escape(word);
        out += trailer;
    }
    return out;
}

// "0  the file was written" → {"0", "the file was written"}; false for any other line.
bool SplitEntry(const std::string& text, std::string& tag, std::string& rest)
{
    const size_t gap = text.find("  ");
    if (gap == std::string::npos || gap == 0 || text.find(' ') != gap)
        return false;
    tag = text.substr(0, gap);
    rest = text.substr(text.find_first_not_of(' ', gap));
    return true;
}

class CRoffWriter {
public:
    explicit CRoffWriter(std::ostringstream& out) : m_out(out) {}

    void Heading(const std::string& name)
    {
        Close();
        m_strSection = name;
        m_out << (name.find(' ') == std::string::npos ? ".SH " + name : ".SH \"" + name + "\"") << '\n';
        m_bFresh = true;
        m_bBreak = false;
    }

    void Blank() { m_bBreak = !m_bFresh; }

    void Body(const SLine& line)
    {
        if (m_strSection == "NAME")
            return NameLine(line.strText);
        if (m_strSection == "SYNOPSIS" || m_strSection == "EXAMPLES")
            return KeptLine(line, kBodyIndent);
        if (line.nIndent > kBodyIndent && (m_mode == Mode::Tag || m_mode == Mode::Kept))
            return Continue(line);
        if (line.nIndent > kBodyIndent && m_mode == Mode::Paragraph && !m_bBreak)
            return StartKept(line);
        std::string tag, rest;
        if (line.strText[0] == '-')
            return Tag(OptionTag(line.strText), "");
        if (SplitEntry(line.strText, tag, rest))
            return Tag("\\fB" + Escape(tag) + "\\fR", rest);
        Paragraph(line.strText);
    }

    void Close()
    {
        if (m_mode == Mode::Kept)
            m_out << ".fi\n" << (m_bIndentedKept ? ".RE\n" : "");
        m_mode = Mode::None;
        m_bIndentedKept = false;
    }

private:
    enum class Mode { None, Paragraph, Tag, Kept };

    void NameLine(const std::string& text)
    {
        const size_t dash = text.find(" - ");
        m_out << (dash == std::string::npos ? Escape(text) : text.substr(0, dash) + " \\- " + Escape(text.substr(dash + 3)))
              << '\n';
        m_bFresh = false;
    }

    void KeptLine(const SLine& line, size_t nBase)
    {
        if (m_mode != Mode::Kept) {
            Close();
            m_out << ".nf\n";
            m_mode = Mode::Kept;
        } else if (m_bBreak) {
            m_out << ".sp\n";
        }
        m_out << Escape(std::string(line.nIndent > nBase ? line.nIndent - nBase : 0, ' ') + line.strText) << '\n';
        m_bFresh = m_bBreak = false;
    }

    void StartKept(const SLine& line)
    {
        m_out << ".RS\n.nf\n";
        m_mode = Mode::Kept;
        m_bIndentedKept = true;
        m_nKeptBase = line.nIndent;
        KeptLine(line, m_nKeptBase);
    }

    void Continue(const SLine& line)
    {
        if (m_mode == Mode::Kept)
            return KeptLine(line, m_nKeptBase);
        if (m_bBreak)
            m_out << ".IP\n";
        m_out << Escape(line.strText) << '\n';
        m_bBreak = false;
    }

    void Tag(const std::string& tag, const std::string& rest)
    {
        Close();
        m_out << ".TP\n" << tag << '\n';
        if (!rest.empty())
            m_out << Escape(rest) << '\n';
        m_mode = Mode::Tag;
        m_bFresh = m_bBreak = false;
    }

    void Paragraph(const std::string& text)
    {
        if (m_mode != Mode::Paragraph || m_bBreak) {
            Close();
            if (!m_bFresh)
                m_out << ".PP\n";
        }
        m_out << Escape(text) << '\n';
        m_mode = Mode::Paragraph;
        m_bFresh = m_bBreak = false;
    }

    std::ostringstream& m_out;
    std::string m_strSection;
    Mode m_mode = Mode::None;
    bool m_bFresh = true;         // nothing written in this section yet
    bool m_bBreak = false;        // a blank line came before the next body line
    bool m_bIndentedKept = false;
    size_t m_nKeptBase = kBodyIndent;
};

std::string Upper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::string CppLiteral(const std::string& text)
{
    std::string out = "\"";
    for (const char c : text) {
        if (c == '\\' || c == '"')
            out += '\\';
        if (c == '\n') {
            out += "\\n\"\n    \"";
            continue;
        }
        out += c;
    }
    return out + "\"";
}

} // namespace

std::string HelpToRoff(const std::string& help, const SPageInfo& info)
{
    std::ostringstream out;
    out << ".\\\" Generated from " << info.strProgram << ".help by the build; --help prints the same text.\n"
        << ".TH " << Upper(info.strProgram) << " 1 \"" << info.strDate << "\" \"VELDRAN " << info.strVersion
        << "\" \"User Commands\"\n"
        << ".nh\n";  // no hyphenation: an option broken across lines could not be searched for
    CRoffWriter writer(out);
    for (const SLine& line : SplitLines(help)) {
        if (line.strText.empty())
            writer.Blank();
        else if (line.nIndent == 0)
            writer.Heading(line.strText);
        else
            writer.Body(line);
    }
    writer.Close();
    return out.str();
}

std::string HelpUsage(const std::string& help)
{
    std::string usage;
    bool bInSynopsis = false;
    for (const SLine& line : SplitLines(help)) {
        if (line.nIndent == 0 && !line.strText.empty()) {
            bInSynopsis = line.strText == "SYNOPSIS";
            continue;
        }
        if (!bInSynopsis || line.strText.empty())
            continue;
        const std::string indent(line.nIndent > kBodyIndent ? line.nIndent - kBodyIndent : 0, ' ');
        usage += (usage.empty() ? "usage: " : "       ") + indent + line.strText + '\n';
    }
    return usage;
}

std::string HelpToHeader(const std::string& help, const std::string& name)
{
    return "// Generated by the build from the program's .help text: edit that file, not this one.\n"
           "#pragma once\n\n"
           "namespace veldran::help {\n\n"
           "inline constexpr char k" + name + "Help[] =\n    " + CppLiteral(help) + ";\n\n"
           "inline constexpr char k" + name + "Usage[] =\n    " + CppLiteral(HelpUsage(help)) + ";\n\n"
           "} // namespace veldran::help\n";
}

} // namespace veldran::manpage
