#include "platform/rdo/dialect/plain_insert.h"

#include "platform/automation/ascii_case.h"

#include <array>
#include <charconv>

namespace vorn::rdo::dialect {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}
bool isWordStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isWordPart(char c) {
    return isWordStart(c) || isDigit(c);
}

// Reads the text from the front, giving up (false) at the first thing that
// does not belong to the plain form.
class Reader {
public:
    explicit Reader(std::string_view sql) : rest_(sql) {}

    void skipBlanks() {
        while (!rest_.empty() && isBlank(rest_.front()))
            rest_.remove_prefix(1);
    }
    bool atEnd() {
        skipBlanks();
        return rest_.empty();
    }
    bool symbol(char c) {
        skipBlanks();
        if (rest_.empty() || rest_.front() != c)
            return false;
        rest_.remove_prefix(1);
        return true;
    }
    std::string_view word() {
        skipBlanks();
        std::size_t length = 0;
        if (!rest_.empty() && isWordStart(rest_.front()))
            while (length < rest_.size() && isWordPart(rest_[length]))
                ++length;
        const std::string_view found = rest_.substr(0, length);
        rest_.remove_prefix(length);
        return found;
    }
    bool keyword(std::string_view expected) {
        return automation::asciiEqualNoCase(word(), expected);
    }
    bool value(LiteralValue& out) {
        skipBlanks();
        if (rest_.empty())
            return false;
        if (rest_.front() == '\'')
            return text(out);
        if (isWordStart(rest_.front())) {
            out.kind = LiteralValue::Kind::Null;
            return automation::asciiEqualNoCase(word(), "NULL");
        }
        return integer(out);
    }

private:
    bool text(LiteralValue& out) {
        out.kind = LiteralValue::Kind::Text;
        for (std::size_t at = 1; at < rest_.size(); ++at) {
            if (rest_[at] != '\'')
                continue;
            if (at + 1 < rest_.size() && rest_[at + 1] == '\'') {
                out.text += rest_.substr(1, at);
                rest_.remove_prefix(at + 1);
                at = 0;
                continue;
            }
            out.text += rest_.substr(1, at - 1);
            rest_.remove_prefix(at + 1);
            return true;
        }
        return false;
    }
    // At most 18 digits, so that the value can never leave 64 bits, where
    // SQLite would read it as a real number.
    bool integer(LiteralValue& out) {
        out.kind = LiteralValue::Kind::Integer;
        const bool negative = rest_.front() == '-';
        std::size_t length = negative ? 1 : 0;
        while (length < rest_.size() && isDigit(rest_[length]))
            ++length;
        const std::size_t digits = length - (negative ? 1 : 0);
        if (digits == 0 || digits > 18 ||
            (length < rest_.size() && (isWordPart(rest_[length]) || rest_[length] == '.')))
            return false;
        std::from_chars(rest_.data() + (negative ? 1 : 0), rest_.data() + length, out.integer);
        if (negative)
            out.integer = -out.integer;
        rest_.remove_prefix(length);
        return true;
    }

    std::string_view rest_;
};

// Words the dialect finder takes for a legacy function when "(" follows, as it
// does a table name here.
bool looksLikeLegacyFunction(std::string_view name) {
    constexpr std::array<std::string_view, 3> kNames{"ISNULL", "NZ", "IIF"};
    for (std::string_view known : kNames)
        if (automation::asciiEqualNoCase(name, known))
            return true;
    return false;
}

} // namespace

std::optional<PlainInsert> plainInsert(std::string_view sql) {
    Reader reader(sql);
    if (!reader.keyword("INSERT") || !reader.keyword("INTO"))
        return std::nullopt;
    PlainInsert insert;
    const std::string_view table = reader.word();
    if (table.empty() || looksLikeLegacyFunction(table) || !reader.symbol('('))
        return std::nullopt;
    insert.shape = "INSERT INTO ";
    insert.shape += table;
    insert.shape += " (";
    do {
        const std::string_view column = reader.word();
        if (column.empty())
            return std::nullopt;
        insert.shape += column;
        insert.shape += ',';
    } while (reader.symbol(','));
    insert.shape.back() = ')';
    if (!reader.symbol(')') || !reader.keyword("VALUES") || !reader.symbol('('))
        return std::nullopt;
    insert.shape += " VALUES (";
    do {
        if (!reader.value(insert.values.emplace_back()))
            return std::nullopt;
        insert.shape += "?,";
    } while (reader.symbol(','));
    insert.shape.back() = ')';
    if (!reader.symbol(')'))
        return std::nullopt;
    reader.symbol(';');
    if (!reader.atEnd())
        return std::nullopt;
    return insert;
}

} // namespace vorn::rdo::dialect
