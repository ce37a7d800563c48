#include "pdf_reader.h"

#include <regex>

namespace vorn::test {
namespace {

std::string quoted(const std::string& path) {
    return "'" + path + "'";
}

// Calls `each` for every match of `pattern` in `text`.
template <typename Each>
void forEachMatch(const std::string& text, const char* pattern, Each each) {
    const std::regex re(pattern);
    for (std::sregex_iterator it(text.begin(), text.end(), re), end; it != end; ++it)
        each(*it);
}

} // namespace

std::map<std::string, std::string> pdfInfo(const std::string& path) {
    std::map<std::string, std::string> info;
    forEachMatch(runCommand("pdfinfo -isodates " + quoted(path)), "([^\n:]+): *([^\n]*)",
                 [&](const std::smatch& m) { info[m[1]] = m[2]; });
    return info;
}

std::vector<PdfWord> pdfWords(const std::string& path) {
    std::vector<PdfWord> words;
    int page = 0;
    forEachMatch(
        runCommand("pdftotext -bbox-layout " + quoted(path) + " -"),
        R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re",
        [&](const std::smatch& m) {
            if (!m[1].matched)
                ++page;
            else
                words.push_back({page, m[5], std::stod(m[1]), std::stod(m[2]), std::stod(m[3]),
                                 std::stod(m[4])});
        });
    return words;
}

std::string pdfText(const std::string& path) {
    return runCommand("pdftotext -layout " + quoted(path) + " -");
}

std::vector<PdfFont> pdfFonts(const std::string& path) {
    std::vector<PdfFont> fonts;
    // Each font line ends in: emb sub uni object generation.
    forEachMatch(runCommand("pdffonts " + quoted(path)),
                 R"re((?:^|\n)(\S+) [^\n]* (yes|no) +(?:yes|no) +(?:yes|no) +\d+ +\d+)re",
                 [&](const std::smatch& m) {
                     fonts.push_back({m[1], m[2] == "yes"});
                 });
    return fonts;
}

std::vector<PdfBookmark> pdfOutline(const std::string& path) {
    std::vector<PdfBookmark> bookmarks;
    int depth = -1;
    forEachMatch(runCommand("pdftohtml -xml -stdout -i -q " + quoted(path)),
                 R"re(<outline>|</outline>|<item page="(\d+)">([^<]*)</item>)re",
                 [&](const std::smatch& m) {
                     if (m[1].matched)
                         bookmarks.push_back({m[2], std::stoi(m[1]), depth});
                     else
                         depth += m[0] == "<outline>" ? 1 : -1;
                 });
    return bookmarks;
}

} // namespace vorn::test
