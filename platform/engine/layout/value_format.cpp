#include "platform/engine/layout/value_format.h"

#include <cmath>
#include <cstdio>

namespace vorn::engine {
namespace {

bool isNumberPattern(std::string_view p) {
    if (p.empty())
        return false;
    bool digit = false;
    for (std::size_t i = 0; i < p.size(); ++i) {
        char c = p[i];
        if (c == '0' || c == '#')
            digit = true;
        else if (c == '%' && i + 1 == p.size())
            continue;
        else if (c != '.' && c != ',')
            return false;
    }
    return digit;
}

std::string groupThousands(const std::string& digits) {
    std::string out;
    int count = 0;
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (count > 0 && count % 3 == 0)
            out.insert(out.begin(), ',');
        out.insert(out.begin(), *it);
        ++count;
    }
    return out;
}

std::string formatNumber(double v, std::string_view pattern) {
    bool percent = pattern.back() == '%';
    if (percent) {
        v *= 100;
        pattern.remove_suffix(1);
    }
    std::size_t point = pattern.find('.');
    std::string_view whole = pattern.substr(0, point);
    std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : pattern.substr(point + 1);
    int decimals = static_cast<int>(fraction.size());
    int minDecimals = static_cast<int>(fraction.find_last_of('0') + 1);
    if (fraction.find('0') == std::string_view::npos)
        minDecimals = 0;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, std::fabs(v));
    std::string text = buffer;
    std::string intPart = text.substr(0, text.find('.'));
    std::string fracPart =
        text.find('.') == std::string::npos ? std::string() : text.substr(text.find('.') + 1);
    while (static_cast<int>(fracPart.size()) > minDecimals && !fracPart.empty() &&
           fracPart.back() == '0')
        fracPart.pop_back();
    if (intPart == "0" && whole.find('0') == std::string_view::npos)
        intPart.clear();
    if (whole.find(',') != std::string_view::npos)
        intPart = groupThousands(intPart);
    bool negative = v < 0 && std::stod(text) != 0.0;
    std::string out = negative ? "-" : "";
    out += intPart;
    if (!fracPart.empty())
        out += "." + fracPart;
    if (percent)
        out += "%";
    return out;
}

} // namespace

std::string formatValue(const Value& value, std::string_view outputFormat) {
    if (isNumberPattern(outputFormat))
        if (auto number = value.number())
            return formatNumber(*number, outputFormat);
    return value.toText();
}

} // namespace vorn::engine
