// make_catalogue: turns the English catalogue (resources/veldran_en.ts) into a C++ table for the
// programs without Qt, so that they speak English from the very entries the window uses. Run by
// the build.
// Usage: make_catalogue IN.ts CONTEXT OUT.cpp

#include "resources/Utf8.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace {

// The text between <tag> and </tag> from pos on; pos moves past it. False when there is none
// before limit.
bool Element(const std::string& xml, const std::string& tag, std::size_t& pos, std::size_t limit, std::string& text)
{
    const std::string open = "<" + tag + ">";
    const std::string close = "</" + tag + ">";
    const std::size_t begin = xml.find(open, pos);
    if (begin == std::string::npos || begin >= limit)
        return false;
    const std::size_t end = xml.find(close, begin);
    if (end == std::string::npos || end > limit)
        return false;
    text = xml.substr(begin + open.size(), end - begin - open.size());
    pos = end + close.size();
    return true;
}

// XML's five named entities and character references.
std::string Unescape(const std::string& text)
{
    static const std::pair<const char*, char> kNamed[] = {
        {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}};
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] != '&') {
            out += text[i++];
            continue;
        }
        bool bDone = false;
        for (const auto& [entity, c] : kNamed) {
            const std::string name = entity;
            if (text.compare(i, name.size(), name) == 0) {
                out += c;
                i += name.size();
                bDone = true;
                break;
            }
        }
        const std::size_t semicolon = text.find(';', i);
        if (!bDone && text.compare(i, 2, "&#") == 0 && semicolon != std::string::npos) {
            const bool bHex = i + 2 < text.size() && (text[i + 2] == 'x' || text[i + 2] == 'X');
            const std::string digits = text.substr(i + (bHex ? 3 : 2), semicolon - i - (bHex ? 3 : 2));
            veldran::AppendUtf8(out, static_cast<uint32_t>(std::stoul(digits, nullptr, bHex ? 16 : 10)));
            i = semicolon + 1;
            bDone = true;
        }
        if (!bDone)
            out += text[i++];
    }
    return out;
}

// A C++ string literal; bytes outside printable ASCII as octal escapes (never more than three
// digits, so a following digit cannot join them).
std::string Literal(const std::string& text)
{
    std::string out = "\"";
    for (const unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c >= 0x7F || c == '?') {
            char octal[8];
            std::snprintf(octal, sizeof octal, "\\%03o", c);
            out += octal;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::cerr << "usage: make_catalogue IN.ts CONTEXT OUT.cpp\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::string xml{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const std::string wanted = argv[2];
    std::vector<std::pair<std::string, std::string>> entries;
    std::size_t pos = 0;
    std::string block;
    while (Element(xml, "context", pos, xml.size(), block)) {
        std::size_t at = 0;
        std::string name;
        if (!Element(block, "name", at, block.size(), name) || Unescape(name) != wanted)
            continue;
        std::string message;
        while (Element(block, "message", at, block.size(), message)) {
            std::size_t inner = 0;
            std::string source, translation;
            if (Element(message, "source", inner, message.size(), source)
                && Element(message, "translation", inner, message.size(), translation))
                entries.emplace_back(Unescape(source), Unescape(translation));
        }
    }
    if (entries.empty()) {
        std::cerr << "make_catalogue: no entries of context " << wanted << " in " << argv[1] << "\n";
        return 1;
    }
    // Sorted by source for a binary search; a repeated source keeps its first translation.
    std::stable_sort(entries.begin(), entries.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    entries.erase(std::unique(entries.begin(), entries.end(),
                              [](const auto& a, const auto& b) { return a.first == b.first; }),
                  entries.end());
    std::string cpp = "// Made by make_catalogue from the English catalogue; not to be edited.\n"
                      "#include \"i18n/EnglishCatalogue.h\"\n\nnamespace veldran {\n\n"
                      "const SCatalogueEntry kEnglishEntries[] = {\n";
    for (const auto& [source, translation] : entries)
        cpp += "    {" + Literal(source) + ",\n     " + Literal(translation) + "},\n";
    cpp += "};\nconst std::size_t kEnglishEntryCount = " + std::to_string(entries.size()) +
           ";\n\n} // namespace veldran\n";
    std::ofstream out(argv[3], std::ios::binary | std::ios::trunc);
    out << cpp;
    out.close();
    if (!out) {
        std::cerr << "make_catalogue: cannot write " << argv[3] << "\n";
        return 1;
    }
    return 0;
}
