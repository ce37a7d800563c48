#include "platform/engine/data/value.h"

#include <charconv>
#include <cstdlib>

namespace vorn::engine {

std::optional<double> Value::number() const {
    if (const auto* i = std::get_if<std::int64_t>(&data_))
        return static_cast<double>(*i);
    if (const auto* r = std::get_if<double>(&data_))
        return *r;
    if (const auto* s = std::get_if<std::string>(&data_)) {
        const char* begin = s->c_str();
        while (*begin == ' ')
            ++begin;
        char* end = nullptr;
        double v = std::strtod(begin, &end);
        if (end == begin)
            return std::nullopt;
        while (*end == ' ')
            ++end;
        if (*end != '\0')
            return std::nullopt;
        return v;
    }
    return std::nullopt;
}

std::string Value::toText() const {
    struct Visitor {
        std::string operator()(std::monostate) const { return {}; }
        std::string operator()(std::int64_t v) const { return std::to_string(v); }
        std::string operator()(double v) const {
            char buffer[32];
            auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, v);
            return ec == std::errc() ? std::string(buffer, end) : std::string();
        }
        std::string operator()(const std::string& v) const { return v; }
        std::string operator()(const Date& v) const { return v.text; }
    };
    return std::visit(Visitor{}, data_);
}

bool operator==(const Value& a, const Value& b) {
    return a.data_ == b.data_;
}

} // namespace vorn::engine
