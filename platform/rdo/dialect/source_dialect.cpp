#include "platform/rdo/dialect/source_dialect.h"

#include <algorithm>
#include <cstddef>

namespace vorn::rdo::dialect {

namespace {

// Top-level commas inside the parentheses that open at `open`, or -1 when they
// never close.
int argumentSeparators(const std::vector<Token>& tokens, std::size_t open) {
    int depth = 0;
    int commas = 0;
    for (std::size_t i = open; i < tokens.size(); ++i) {
        if (tokens[i].isSymbol("(")) {
            ++depth;
        } else if (tokens[i].isSymbol(")")) {
            if (--depth == 0) {
                return commas;
            }
        } else if (tokens[i].isSymbol(",") && depth == 1) {
            ++commas;
        }
    }
    return -1;
}

// A text literal, or a "text" as Access writes one, on either side of the
// operator at `at`.
bool besideText(const std::vector<Token>& tokens, std::size_t at) {
    const auto isText = [](const Token& token) {
        return token.kind == TokenKind::String ||
               (token.kind == TokenKind::QuotedName && token.text.front() == '"');
    };
    return isText(tokens[at + 1]) || (at > 0 && isText(tokens[at - 1]));
}

} // namespace

bool containsOperator(const std::vector<Token>& tokens, std::string_view op) {
    return std::any_of(tokens.begin(), tokens.end(),
                       [&](const Token& token) { return token.isSymbol(op); });
}

DialectFinding detectDialect(const std::vector<Token>& tokens) {
    if (tokens.empty()) {
        return {};
    }
    if (tokens.front().is("TRANSFORM")) {
        return {SourceDialect::Access, "TRANSFORM"};
    }
    if (tokens.front().is("DELETE") && tokens.size() > 1 && !tokens[1].is("FROM")) {
        return {SourceDialect::Access, "DELETE *"};
    }
    for (std::size_t i = 0; i + 1 < tokens.size(); ++i) {
        if (tokens[i].is("WITH") && (tokens[i + 1].is("CUBE") || tokens[i + 1].is("ROLLUP"))) {
            return {SourceDialect::TransactSql,
                    tokens[i + 1].is("CUBE") ? "WITH CUBE" : "WITH ROLLUP"};
        }
    }
    for (std::size_t i = 0; i + 1 < tokens.size(); ++i) {
        if (tokens[i].is("ISNULL") && tokens[i + 1].isSymbol("(")) {
            const int commas = argumentSeparators(tokens, i + 1);
            if (commas == 1) {
                return {SourceDialect::TransactSql, "ISNULL(a, b)"};
            }
            if (commas == 0) {
                return {SourceDialect::Access, "IsNull(x)"};
            }
        }
    }
    for (std::size_t i = 0; i + 1 < tokens.size(); ++i) {
        if (tokens[i + 1].isSymbol("(") && (tokens[i].is("NZ") || tokens[i].is("IIF"))) {
            return {SourceDialect::Access, tokens[i].is("NZ") ? "Nz" : "IIf"};
        }
    }
    for (std::size_t i = 0; i + 1 < tokens.size(); ++i) {
        if (tokens[i].isSymbol("&") && besideText(tokens, i)) {
            return {SourceDialect::Access, "&"};
        }
    }
    for (std::size_t i = 0; i + 1 < tokens.size(); ++i) {
        if (tokens[i].isSymbol("+") && besideText(tokens, i)) {
            return {SourceDialect::TransactSql, "+ joining text"};
        }
    }
    return {};
}

} // namespace vorn::rdo::dialect
