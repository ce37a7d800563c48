#include "platform/engine/layout/line_breaker.h"

namespace vorn::engine {
namespace {

constexpr double kTolerance = 1e-6;

bool isContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

std::size_t nextCharacter(std::string_view s, std::size_t at) {
    ++at;
    while (at < s.size() && isContinuationByte(s[at]))
        ++at;
    return at;
}

/// The longest prefix of `word` (whole characters, at least one) that fits.
std::size_t fittingPrefix(std::string_view word, double maxWidth, const MeasureText& measure) {
    std::vector<std::size_t> ends; // byte length after each character
    for (std::size_t at = 0; at < word.size(); at = nextCharacter(word, at))
        ends.push_back(nextCharacter(word, at));
    std::size_t low = 0; // ends[low] is known to be kept: one character always is
    std::size_t high = ends.size() - 1;
    while (low < high) {
        std::size_t mid = (low + high + 1) / 2;
        if (measure(word.substr(0, ends[mid])) <= maxWidth + kTolerance)
            low = mid;
        else
            high = mid - 1;
    }
    return ends[low];
}

void breakParagraph(std::string_view para, double maxWidth, const MeasureText& measure,
                    std::vector<std::string_view>& lines) {
    while (!para.empty()) {
        if (measure(para) <= maxWidth + kTolerance) {
            lines.push_back(para);
            return;
        }
        // Take words while the line still fits.
        std::size_t end = 0; // end of the last word that fits
        std::size_t pos = 0;
        while (pos < para.size()) {
            std::size_t wordStart = para.find_first_not_of(' ', pos);
            if (wordStart == std::string_view::npos)
                break;
            std::size_t wordEnd = para.find(' ', wordStart);
            if (wordEnd == std::string_view::npos)
                wordEnd = para.size();
            if (measure(para.substr(0, wordEnd)) > maxWidth + kTolerance)
                break;
            end = wordEnd;
            pos = wordEnd;
        }
        if (end == 0) {
            // The first word alone is too wide: it is split where the width ends.
            std::size_t wordEnd = para.find(' ');
            std::string_view word = para.substr(0, wordEnd);
            end = fittingPrefix(word, maxWidth, measure);
        }
        lines.push_back(para.substr(0, end));
        std::size_t rest = para.find_first_not_of(' ', end);
        para = rest == std::string_view::npos ? std::string_view() : para.substr(rest);
    }
}

} // namespace

std::vector<std::string_view> breakLines(std::string_view text, double maxWidth,
                                         const MeasureText& measure) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        std::string_view para = text.substr(
            start, end == std::string_view::npos ? std::string_view::npos : end - start);
        while (!para.empty() && para.back() == ' ')
            para.remove_suffix(1);
        if (para.empty())
            lines.push_back(para);
        else
            breakParagraph(para, maxWidth, measure, lines);
        if (end == std::string_view::npos)
            break;
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    while (!lines.empty() && lines.back().empty())
        lines.pop_back();
    return lines;
}

} // namespace vorn::engine
