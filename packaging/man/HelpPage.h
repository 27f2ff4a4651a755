#pragma once

// One text per program serves both as the page its --help prints and as its manual page: the
// build turns the text into a roff page and into a C++ header, so the two cannot disagree.
//
// The text is a plain manual page as a terminal shows it:
// - a line at column 0 is a section heading (NAME, SYNOPSIS, OPTIONS, ...);
// - the body is indented by 4; lines of a paragraph flow together, a blank line ends it;
// - in SYNOPSIS and EXAMPLES every line stays a line;
// - a body line that starts with '-' names an option; the lines under it, indented further, are
//   its description;
// - a body line "TAG  text" (a word, then two or more blanks) is an entry of a list, such as an
//   exit status or a variable; lines indented further continue its text;
// - lines indented further under a paragraph are kept as they stand (a small table).

#include <string>

namespace veldran::manpage {

struct SPageInfo {
    std::string strProgram;  // "veldran-convert"
    std::string strVersion;  // "1.0.0.1"
    std::string strDate;     // "2026-12-07"
};

// The manual page, section 1, in roff.
[[nodiscard]] std::string HelpToRoff(const std::string& help, const SPageInfo& info);

// The synopsis as a usage message: "usage: " before the first line, the rest aligned under it.
[[nodiscard]] std::string HelpUsage(const std::string& help);

// A header that defines k<Name>Help (the whole text) and k<Name>Usage in namespace veldran::help.
[[nodiscard]] std::string HelpToHeader(const std::string& help, const std::string& name);

} // namespace veldran::manpage
