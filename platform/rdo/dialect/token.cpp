#include "platform/rdo/dialect/token.h"

#include "platform/automation/ascii_case.h"

#include <algorithm>
#include <cctype>
#include <utility>

namespace vorn::rdo::dialect {

namespace {

std::string undoubled(std::string_view inner, char quote) {
    std::string out;
    out.reserve(inner.size());
    for (std::size_t i = 0; i < inner.size(); ++i) {
        out += inner[i];
        if (inner[i] == quote && i + 1 < inner.size() && inner[i + 1] == quote) {
            ++i;
        }
    }
    return out;
}

} // namespace

bool Token::is(std::string_view keyword) const {
    return kind == TokenKind::Word && automation::asciiEqualNoCase(text, keyword);
}

std::string Token::name() const {
    if (kind != TokenKind::QuotedName || text.size() < 2) {
        return text;
    }
    const char close = text.front() == '[' ? ']' : text.front();
    return undoubled(std::string_view(text).substr(1, text.size() - 2), close);
}

std::string Token::stringValue() const {
    if (kind != TokenKind::String || text.size() < 2) {
        return text;
    }
    return undoubled(std::string_view(text).substr(1, text.size() - 2), '\'');
}

Token makeToken(TokenKind kind, std::string text, std::string leading) {
    Token token;
    token.kind = kind;
    token.text = std::move(text);
    token.leading = std::move(leading);
    return token;
}

} // namespace vorn::rdo::dialect
