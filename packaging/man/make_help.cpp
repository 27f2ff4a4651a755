// make_help: turns a program's .help text into its manual page and into the header from which the
// program prints --help. Run by the build.
// Usage: make_help IN.help PROGRAM NAME VERSION DATE OUT.1 OUT.h

#include "packaging/man/HelpPage.h"

#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

namespace {

bool WriteFile(const std::string& path, const std::string& text)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << text;
    file.close();
    return static_cast<bool>(file);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 8) {
        std::cerr << "usage: make_help IN.help PROGRAM NAME VERSION DATE OUT.1 OUT.h\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::string help{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (!in || help.empty()) {
        std::cerr << "make_help: cannot read " << argv[1] << "\n";
        return 1;
    }
    const veldran::manpage::SPageInfo info{argv[2], argv[4], argv[5]};
    if (!WriteFile(argv[6], veldran::manpage::HelpToRoff(help, info)) ||
        !WriteFile(argv[7], veldran::manpage::HelpToHeader(help, argv[3]))) {
        std::cerr << "make_help: cannot write " << argv[6] << " or " << argv[7] << "\n";
        return 1;
    }
    return 0;
}
