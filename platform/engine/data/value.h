// One value of a record as the engine sees it. Dates arrive already rendered by
// their source, so the engine never has to know a calendar or a locale.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

namespace vorn::engine {

class Value {
public:
    /// A date or time, as text rendered by the record source.
    struct Date {
        std::string text;
        friend bool operator==(const Date&, const Date&) = default;
    };

    Value() = default;
    static Value null() { return Value(); }
    static Value integer(std::int64_t v) { return Value(Data(v)); }
    static Value real(double v) { return Value(Data(v)); }
    static Value text(std::string v) { return Value(Data(std::move(v))); }
    static Value date(std::string rendered) { return Value(Data(Date{std::move(rendered)})); }

    bool isNull() const { return std::holds_alternative<std::monostate>(data_); }
    bool isInteger() const { return std::holds_alternative<std::int64_t>(data_); }
    bool isReal() const { return std::holds_alternative<double>(data_); }
    bool isNumber() const { return isInteger() || isReal(); }

    /// The number this value holds, also when it is text that reads as one.
    std::optional<double> number() const;
    /// How the value prints with no output format: integers in decimal, reals in
    /// their shortest exact form, null as nothing, dates as their source gave them.
    std::string toText() const;

    friend bool operator==(const Value& a, const Value& b);

private:
    using Data = std::variant<std::monostate, std::int64_t, double, std::string, Date>;
    explicit Value(Data data) : data_(std::move(data)) {}
    Data data_;
};

} // namespace vorn::engine
