#include "platform/rdo/dialect/name_normalizer.h"

#include "platform/rdo/dialect/sql_parser.h"
#include "platform/rdo/dialect/text_case.h"

namespace vorn::rdo::dialect {

namespace {

bool isPlainWord(const std::string& name) {
    if (name.empty() || (name[0] >= '0' && name[0] <= '9')) {
        return false;
    }
    for (char c : name) {
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (!letter && c != '_' && !(c >= '0' && c <= '9')) {
            return false;
        }
    }
    return !isReservedWord(name);
}

} // namespace

void normalizeQuotedName(Token& token) {
    if (token.kind != TokenKind::QuotedName) {
        return;
    }
    const std::string name = token.name();
    if (isPlainWord(name)) {
        token.kind = TokenKind::Word;
        token.text = name;
        return;
    }
    std::string quoted = "\"";
    for (char c : lowerCase(name)) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    quoted += '"';
    token.text = std::move(quoted);
}

} // namespace vorn::rdo::dialect
