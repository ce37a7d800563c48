// What a reader of a PDF sees, through poppler's command-line tools.
#pragma once

#include "command_and_file.h"

#include <map>
#include <string>
#include <vector>

namespace vorn::test {

/// pdfinfo's "Key: value" lines.
std::map<std::string, std::string> pdfInfo(const std::string& path);

struct PdfWord {
    int page = 0; // 1-based
    std::string text;
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
};
/// Every word with its box, from pdftotext -bbox-layout.
std::vector<PdfWord> pdfWords(const std::string& path);
/// Plain text of the whole document.
std::string pdfText(const std::string& path);

struct PdfFont {
    std::string name;
    bool embedded = false;
};
std::vector<PdfFont> pdfFonts(const std::string& path);

struct PdfBookmark {
    std::string title;
    int page = 0; // 1-based
    int level = 0;
};
/// The outline in document order, from pdftohtml -xml.
std::vector<PdfBookmark> pdfOutline(const std::string& path);

} // namespace vorn::test
