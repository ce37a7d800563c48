#include "platform/rdo/dialect/translator.h"

#include "platform/automation/ascii_case.h"
#include "platform/rdo/dialect/crosstab_rewriter.h"
#include "platform/rdo/dialect/dialect_error.h"
#include "platform/rdo/dialect/expression_rewriter.h"
#include "platform/rdo/dialect/grouping_sets_rewriter.h"
#include "platform/rdo/dialect/name_normalizer.h"
#include "platform/rdo/dialect/source_dialect.h"
#include "platform/rdo/dialect/sql_parser.h"
#include "platform/rdo/dialect/tokenizer.h"

#include <cctype>
#include <utility>
#include <vector>

namespace vorn::rdo::dialect {

namespace {

std::string joined(const std::vector<Token>& tokens) {
    std::string out;
    for (const Token& token : tokens) {
        out += token.leading;
        out += token.text;
    }
    return out;
}

using automation::asciiUpper;

bool isNamePart(const Token& token) {
    return token.kind == TokenKind::QuotedName ||
           (token.kind == TokenKind::Word && !token.is("FROM"));
}

// Where the FROM of "DELETE [*|t.*|t] FROM" stands. Jet deletes whole rows
// whatever stands before FROM, so anything but those forms is refused rather
// than dropped: dropping it would turn a mistyped statement into a delete of
// every row.
std::size_t deleteFromPosition(const std::vector<Token>& tokens) {
    std::size_t at = 1;
    if (tokens[at].isSymbol("*")) {
        ++at;
    } else if (isNamePart(tokens[at])) {
        ++at;
        while (tokens[at].isSymbol(".") &&
               (isNamePart(tokens[at + 1]) || tokens[at + 1].isSymbol("*"))) {
            at += 2;
            if (tokens[at - 1].isSymbol("*")) {
                break;
            }
        }
    }
    if (tokens[at].is("FROM")) {
        return at;
    }
    if (tokens[at].kind == TokenKind::End) {
        throw DialectError::malformed("DELETE without FROM");
    }
    throw DialectError::malformed("unexpected '" + tokens[at].text + "' before FROM of DELETE");
}

// "DELETE * FROM t" and "DELETE t.* FROM t" become "DELETE FROM t".
std::vector<Token> withoutDeleteStar(std::vector<Token> tokens) {
    const std::size_t from = deleteFromPosition(tokens);
    tokens.erase(tokens.begin() + 1, tokens.begin() + static_cast<std::ptrdiff_t>(from));
    return tokens;
}

// Jet reads "text" as a string, not as a name.
void useSingleQuotedStrings(std::vector<Token>& tokens) {
    for (Token& token : tokens) {
        if (token.kind != TokenKind::QuotedName || token.text.front() != '"') {
            continue;
        }
        std::string quoted = "'";
        for (char c : token.name()) {
            quoted += c;
            if (c == '\'') {
                quoted += '\'';
            }
        }
        token.kind = TokenKind::String;
        token.text = quoted + "'";
    }
}

Translation rewriteLegacy(std::vector<Token> tokens, const DialectFinding& finding, Target target) {
    if (finding.dialect == SourceDialect::Access) {
        useSingleQuotedStrings(tokens);
    }
    const Token& first = tokens.front();
    if (!first.is("SELECT") && !first.is("TRANSFORM") && !first.is("DELETE")) {
        throw DialectError::unsupported(finding.construct + " in " + asciiUpper(first.text) +
                                        " statements");
    }
    if (first.is("DELETE")) {
        tokens = withoutDeleteStar(std::move(tokens));
    }
    NodePtr statement = SqlParser(std::move(tokens)).parseStatement();
    ExpressionRewriter(target, finding.dialect).rewrite(*statement);

    Translation translation;
    if (statement->kind == NodeKind::Transform) {
        translation.crosstab = CrosstabRewriter().rewrite(statement);
    }
    GroupingSetsRewriter(target).rewrite(*statement);
    forEachToken(*statement, normalizeQuotedName);
    translation.sql = statement->print();
    return translation;
}

} // namespace

Translation translate(std::string_view sql, Target target, SourceDialect declared) {
    std::vector<Token> tokens = tokenize(sql);
    DialectFinding finding = detectDialect(tokens);
    if (finding.dialect == SourceDialect::Common && declared == SourceDialect::Access &&
        containsOperator(tokens, "&")) {
        finding = {SourceDialect::Access, "&"};
    }
    switch (target) {
    case Target::SqlServer:
        if (finding.dialect != SourceDialect::Access) {
            return {std::string(sql), std::nullopt};
        }
        if (tokens.front().is("DELETE")) {
            useSingleQuotedStrings(tokens);
            return {joined(withoutDeleteStar(std::move(tokens))), std::nullopt};
        }
        throw DialectError::unsupported(finding.construct + " on SQL Server");
    case Target::Access:
        if (finding.dialect == SourceDialect::TransactSql) {
            throw DialectError::unsupported(finding.construct + " in Access");
        }
        return {std::string(sql), std::nullopt};
    case Target::SQLite:
    case Target::PostgreSQL:
        break;
    }
    if (finding.dialect == SourceDialect::Common) {
        // Nothing to parse: an INSERT or UPDATE of the common core needs only
        // its texts and names put the way the target reads them.
        if (declared == SourceDialect::Access) {
            useSingleQuotedStrings(tokens);
        }
        for (Token& token : tokens) {
            normalizeQuotedName(token);
        }
        return {joined(tokens), std::nullopt};
    }
    return rewriteLegacy(std::move(tokens), finding, target);
}

} // namespace vorn::rdo::dialect
