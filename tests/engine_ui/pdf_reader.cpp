#include "pdf_reader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <regex>
#include <sstream>
#include <sys/wait.h>

namespace vorn::engine::testing {
namespace {

std::string quoted(const std::string& path) {
    return "'" + path + "'";
}

std::string unescapeXml(std::string text) {
    const std::pair<const char*, const char*> entities[] = {{"&lt;", "<"},    {"&gt;", ">"},
                                                            {"&quot;", "\""}, {"&apos;", "'"},
                                                            {"&#34;", "\""},  {"&amp;", "&"}};
    for (const auto& [entity, plain] : entities)
        for (auto at = text.find(entity); at != std::string::npos; at = text.find(entity, at))
            text.replace(at, std::string(entity).size(), plain), at += 1;
    return text;
}

} // namespace

std::string runCommand(const std::string& command) {
    struct PipeCloser {
        void operator()(FILE* f) const { pclose(f); }
    };
    FILE* raw = popen(command.c_str(), "r");
    EXPECT_NE(raw, nullptr) << command;
    if (!raw)
        return {};
    std::string out;
    char buffer[4096];
    size_t n = 0;
    while ((n = fread(buffer, 1, sizeof buffer, raw)) > 0)
        out.append(buffer, n);
    const int status = pclose(raw);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command;
    return out;
}

std::map<std::string, std::string> pdfInfo(const std::string& path) {
    std::map<std::string, std::string> info;
    std::istringstream lines(runCommand("pdfinfo " + quoted(path)));
    for (std::string line; std::getline(lines, line);) {
        const auto colon = line.find(':');
        if (colon == std::string::npos)
            continue;
        const auto value = line.find_first_not_of(' ', colon + 1);
        info[line.substr(0, colon)] = value == std::string::npos ? "" : line.substr(value);
    }
    return info;
}

std::vector<PdfWord> pdfWords(const std::string& path) {
    const std::string xml = runCommand("pdftotext -bbox-layout " + quoted(path) + " -");
    static const std::regex tag(
        R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    std::vector<PdfWord> words;
    int page = 0;
    for (std::sregex_iterator it(xml.begin(), xml.end(), tag), end; it != end; ++it) {
        const std::smatch& m = *it;
        if (!m[1].matched) {
            ++page;
            continue;
        }
        words.push_back({page, unescapeXml(m[5]), std::stod(m[1]), std::stod(m[2]), std::stod(m[3]),
                         std::stod(m[4])});
    }
    return words;
}

std::string pdfText(const std::string& path) {
    return runCommand("pdftotext -layout " + quoted(path) + " -");
}

std::vector<PdfFont> pdfFonts(const std::string& path) {
    std::istringstream lines(runCommand("pdffonts " + quoted(path)));
    std::vector<PdfFont> fonts;
    std::string line;
    std::getline(lines, line); // column names
    std::getline(lines, line); // rule
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::vector<std::string> tokens;
        for (std::string token; fields >> token;)
            tokens.push_back(token);
        if (tokens.size() < 7)
            continue;
        // From the end: object number, generation, uni, sub, emb.
        const auto n = tokens.size();
        fonts.push_back({tokens[0], tokens[n - 5] == "yes", tokens[n - 4] == "yes"});
    }
    return fonts;
}

std::vector<PdfBookmark> pdfOutline(const std::string& path) {
    const std::string xml = runCommand("pdftohtml -xml -stdout -i -q " + quoted(path));
    static const std::regex tag(R"re(<outline>|</outline>|<item page="(\d+)">([^<]*)</item>)re");
    std::vector<PdfBookmark> bookmarks;
    int depth = -1;
    for (std::sregex_iterator it(xml.begin(), xml.end(), tag), end; it != end; ++it) {
        const std::string whole = (*it)[0];
        if (whole == "<outline>")
            ++depth;
        else if (whole == "</outline>")
            --depth;
        else
            bookmarks.push_back({unescapeXml((*it)[2]), std::stoi((*it)[1]), depth});
    }
    return bookmarks;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

} // namespace vorn::engine::testing
