#include "platform/rdo/dialect/sql_parser.h"

#include "platform/automation/ascii_case.h"
#include "platform/rdo/dialect/dialect_error.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>
#include <utility>

namespace vorn::rdo::dialect {

namespace {

using automation::asciiUpper;

// Sorted, for binary search.
constexpr std::array<std::string_view, 83> kReserved = {
    "ALL",      "ALTER",       "AND",      "ANY",     "AS",      "ASC",     "BETWEEN",
    "BY",       "CASE",        "CAST",     "CHECK",   "COLLATE", "COLUMN",  "CONSTRAINT",
    "CREATE",   "CROSS",       "CUBE",     "CURRENT", "DEFAULT", "DELETE",  "DESC",
    "DISTINCT", "DISTINCTROW", "DROP",     "ELSE",    "END",     "ESCAPE",  "EXCEPT",
    "EXISTS",   "FALSE",       "FETCH",    "FOR",     "FOREIGN", "FROM",    "FULL",
    "GRANT",    "GROUP",       "GROUPING", "HAVING",  "IN",      "INDEX",   "INNER",
    "INSERT",   "INTERSECT",   "INTO",     "IS",      "JOIN",    "KEY",     "LEFT",
    "LIKE",     "LIMIT",       "MINUS",    "NATURAL", "NOT",     "NULL",    "OFFSET",
    "ON",       "OR",          "ORDER",    "OUTER",   "PIVOT",   "PRIMARY", "REFERENCES",
    "RIGHT",    "ROLLUP",      "SELECT",   "SET",     "TABLE",   "THEN",    "TO",
    "TOP",      "TRANSFORM",   "TRUE",     "UNION",   "UNIQUE",  "UPDATE",  "USER",
    "USING",    "VALUES",      "WHEN",     "WHERE",   "WINDOW",  "WITH"};
static_assert(std::is_sorted(kReserved.begin(), kReserved.end()));

// Words that end a clause, so they are never read as an alias.
constexpr std::array<const char*, 24> kClauseWords = {
    "FROM",  "WHERE",   "GROUP", "HAVING", "ORDER", "UNION", "EXCEPT", "INTERSECT",
    "MINUS", "ON",      "JOIN",  "INNER",  "LEFT",  "RIGHT", "FULL",   "CROSS",
    "OUTER", "NATURAL", "USING", "PIVOT",  "WITH",  "LIMIT", "OFFSET", "SELECT"};

constexpr std::array<const char*, 7> kComparisonOperators = {"=", "<>", "!=", "<", ">", "<=", ">="};
constexpr std::array<const char*, 9> kArithmeticOperators = {"+",  "-", "*", "/", "%",
                                                             "||", "&", "|", "^"};

bool contains(const auto& list, const Token& token, bool symbol) {
    return std::any_of(list.begin(), list.end(), [&](const char* entry) {
        return symbol ? token.isSymbol(entry) : token.is(entry);
    });
}

void add(SyntaxNode& node, Token token) {
    node.parts.emplace_back(std::move(token));
}
void add(SyntaxNode& node, NodePtr child) {
    node.parts.emplace_back(std::move(child));
}

std::string describe(const Token& token) {
    return token.kind == TokenKind::End ? std::string("end of statement")
                                        : "unexpected '" + token.text + "'";
}

} // namespace

// Counts one level of nesting for as long as it lives.
class SqlParser::NestingGuard {
public:
    explicit NestingGuard(SqlParser& parser) : parser_(parser) {
        if (++parser_.nesting_ > kMaxNesting) {
            --parser_.nesting_;
            throw DialectError::unsupported("nesting deeper than " + std::to_string(kMaxNesting) +
                                            " levels");
        }
    }
    ~NestingGuard() { --parser_.nesting_; }
    NestingGuard(const NestingGuard&) = delete;
    NestingGuard& operator=(const NestingGuard&) = delete;

private:
    SqlParser& parser_;
};

bool isReservedWord(std::string_view word) {
    return std::binary_search(kReserved.begin(), kReserved.end(), asciiUpper(word));
}

SqlParser::SqlParser(std::vector<Token> tokens) : tokens_(std::move(tokens)) {
    if (tokens_.empty() || tokens_.back().kind != TokenKind::End) {
        tokens_.push_back(Token{});
    }
}

const Token& SqlParser::peek(std::size_t ahead) const {
    return tokens_[std::min(pos_ + ahead, tokens_.size() - 1)];
}

Token SqlParser::take() {
    Token token = peek();
    if (pos_ < tokens_.size() - 1) {
        ++pos_;
    }
    return token;
}

Token SqlParser::expectKeyword(const char* keyword) {
    if (!peek().is(keyword)) {
        throw DialectError::malformed(std::string(keyword) + " expected, " + describe(peek()));
    }
    return take();
}

Token SqlParser::expectSymbol(const char* symbol) {
    if (!peek().isSymbol(symbol)) {
        throw DialectError::malformed("'" + std::string(symbol) + "' expected, " +
                                      describe(peek()));
    }
    return take();
}

bool SqlParser::atKeyword(const char* keyword, std::size_t ahead) const {
    return peek(ahead).is(keyword);
}

bool SqlParser::atSymbol(const char* symbol, std::size_t ahead) const {
    return peek(ahead).isSymbol(symbol);
}

bool SqlParser::atClauseEnd() const {
    const Token& token = peek();
    return token.kind == TokenKind::End || token.isSymbol(")") || token.isSymbol(";") ||
           contains(kClauseWords, token, false);
}

bool SqlParser::atAlias() const {
    const Token& token = peek();
    return token.kind == TokenKind::QuotedName ||
           (token.kind == TokenKind::Word && !isReservedWord(token.text));
}

NodePtr SqlParser::parseStatement() {
    NodePtr statement;
    if (atKeyword("TRANSFORM")) {
        statement = parseTransform();
    } else if (atKeyword("DELETE")) {
        statement = parseDelete();
    } else if (atKeyword("SELECT")) {
        statement = parseQuery();
    } else {
        throw DialectError::unsupported(asciiUpper(peek().text) + " statement");
    }
    if (atSymbol(";")) {
        add(*statement, take());
    }
    if (peek().kind != TokenKind::End) {
        throw DialectError::malformed(describe(peek()));
    }
    add(*statement, take());
    return statement;
}

NodePtr SqlParser::parseQuery() {
    auto query = makeNode(NodeKind::Query);
    add(*query, parseSelect());
    while (atKeyword("UNION") || atKeyword("EXCEPT") || atKeyword("INTERSECT") ||
           atKeyword("MINUS")) {
        add(*query, take());
        if (atKeyword("ALL")) {
            add(*query, take());
        }
        add(*query, parseSelect());
    }
    if (atKeyword("ORDER")) {
        add(*query, parseOrderBy());
    }
    return query;
}

NodePtr SqlParser::parseSelect() {
    auto select = makeNode(NodeKind::Select);
    add(*select, expectKeyword("SELECT"));
    if (atKeyword("DISTINCT") || atKeyword("ALL") || atKeyword("DISTINCTROW")) {
        add(*select, take());
    }
    if (atKeyword("TOP")) {
        throw DialectError::unsupported("SELECT TOP");
    }
    add(*select, parseSelectList());
    if (atKeyword("INTO")) {
        throw DialectError::unsupported("SELECT INTO");
    }
    if (atKeyword("FROM")) {
        add(*select, parseFrom());
    }
    if (atKeyword("WHERE")) {
        add(*select, parseClause(NodeKind::Where));
    }
    if (atKeyword("GROUP")) {
        add(*select, parseGroupBy());
    }
    if (atKeyword("HAVING")) {
        add(*select, parseClause(NodeKind::Having));
    }
    return select;
}

NodePtr SqlParser::parseTransform() {
    auto transform = makeNode(NodeKind::Transform);
    add(*transform, expectKeyword("TRANSFORM"));
    add(*transform, parseSelectItem());
    if (!atKeyword("SELECT")) {
        throw DialectError::unsupported("TRANSFORM without SELECT");
    }
    add(*transform, parseSelect());
    if (atKeyword("ORDER")) {
        throw DialectError::unsupported("ORDER BY in TRANSFORM");
    }
    if (!atKeyword("PIVOT")) {
        throw DialectError::unsupported("TRANSFORM without PIVOT");
    }
    add(*transform, parsePivot());
    return transform;
}

NodePtr SqlParser::parseDelete() {
    auto statement = makeNode(NodeKind::Delete);
    add(*statement, expectKeyword("DELETE"));
    if (atSymbol("*")) {
        add(*statement, take());
    } else if (!atKeyword("FROM")) {
        // Jet's "DELETE Table.* FROM Table".
        add(*statement, parseName());
    }
    add(*statement, expectKeyword("FROM"));
    add(*statement, parseName());
    if (atKeyword("WHERE")) {
        add(*statement, parseClause(NodeKind::Where));
    }
    return statement;
}

NodePtr SqlParser::parseSelectList() {
    auto list = makeNode(NodeKind::SelectList);
    add(*list, parseSelectItem());
    while (atSymbol(",")) {
        add(*list, take());
        add(*list, parseSelectItem());
    }
    return list;
}

NodePtr SqlParser::parseSelectItem() {
    auto item = makeNode(NodeKind::SelectItem);
    if (atSymbol("*")) {
        auto star = makeNode(NodeKind::Name);
        add(*star, take());
        add(*item, std::move(star));
        return item;
    }
    add(*item, parseExpression());
    if (atKeyword("AS")) {
        add(*item, take());
        if (!atAlias()) {
            throw DialectError::malformed("alias expected after AS, " + describe(peek()));
        }
        add(*item, take());
    } else if (atAlias() && !contains(kClauseWords, peek(), false)) {
        add(*item, take());
    }
    return item;
}

NodePtr SqlParser::parseFrom() {
    auto from = makeNode(NodeKind::From);
    add(*from, expectKeyword("FROM"));
    parseTableReferences(*from);
    return from;
}

void SqlParser::parseTableReferences(SyntaxNode& into) {
    const NestingGuard level(*this);
    parseTableFactor(into);
    while (true) {
        if (atSymbol(",")) {
            add(into, take());
            parseTableFactor(into);
            continue;
        }
        bool join = false;
        while (atKeyword("INNER") || atKeyword("LEFT") || atKeyword("RIGHT") || atKeyword("FULL") ||
               atKeyword("OUTER") || atKeyword("CROSS") || atKeyword("NATURAL")) {
            add(into, take());
            join = true;
        }
        if (!atKeyword("JOIN")) {
            if (join) {
                throw DialectError::malformed("JOIN expected, " + describe(peek()));
            }
            return;
        }
        add(into, take());
        parseTableFactor(into);
        if (atKeyword("ON")) {
            add(into, take());
            add(into, parseExpression());
        } else if (atKeyword("USING")) {
            add(into, take());
            add(into, parseParenthesised());
        }
    }
}

void SqlParser::parseTableFactor(SyntaxNode& into) {
    if (atSymbol("(")) {
        if (atKeyword("SELECT", 1)) {
            add(into, parseParenthesised());
        } else {
            // Jet writes nested joins in parentheses: (A INNER JOIN B ON ...) INNER JOIN C.
            auto group = makeNode(NodeKind::Paren);
            add(*group, take());
            parseTableReferences(*group);
            add(*group, expectSymbol(")"));
            add(into, std::move(group));
        }
    } else {
        add(into, parseName());
    }
    if (atKeyword("AS")) {
        add(into, take());
        if (!atAlias()) {
            throw DialectError::malformed("alias expected after AS, " + describe(peek()));
        }
        add(into, take());
    } else if (atAlias() && !contains(kClauseWords, peek(), false)) {
        add(into, take());
    }
}

NodePtr SqlParser::parseGroupBy() {
    auto group = makeNode(NodeKind::GroupBy);
    add(*group, expectKeyword("GROUP"));
    add(*group, expectKeyword("BY"));
    add(*group, parseExpression());
    while (atSymbol(",")) {
        add(*group, take());
        add(*group, parseExpression());
    }
    if (atKeyword("WITH")) {
        add(*group, take());
        if (!atKeyword("CUBE") && !atKeyword("ROLLUP")) {
            throw DialectError::unsupported("GROUP BY ... WITH " + asciiUpper(peek().text));
        }
        add(*group, take());
    }
    return group;
}

NodePtr SqlParser::parseOrderBy() {
    auto order = makeNode(NodeKind::OrderBy);
    add(*order, expectKeyword("ORDER"));
    add(*order, expectKeyword("BY"));
    while (true) {
        add(*order, parseExpression());
        if (atKeyword("ASC") || atKeyword("DESC")) {
            add(*order, take());
        }
        if (!atSymbol(",")) {
            return order;
        }
        add(*order, take());
    }
}

NodePtr SqlParser::parsePivot() {
    auto pivot = makeNode(NodeKind::Pivot);
    add(*pivot, expectKeyword("PIVOT"));
    add(*pivot, parseArithmetic());
    if (atKeyword("IN")) {
        add(*pivot, take());
        add(*pivot, parseParenthesised());
    }
    return pivot;
}

NodePtr SqlParser::parseClause(NodeKind kind) {
    auto clause = makeNode(kind);
    add(*clause, take());
    add(*clause, parseExpression());
    return clause;
}

NodePtr SqlParser::parseExpression() {
    const NestingGuard level(*this);
    NodePtr left = parseAnd();
    if (!atKeyword("OR")) {
        return left;
    }
    auto node = makeNode(NodeKind::Expression);
    add(*node, std::move(left));
    while (atKeyword("OR")) {
        add(*node, take());
        add(*node, parseAnd());
    }
    return node;
}

NodePtr SqlParser::parseAnd() {
    NodePtr left = parseNot();
    if (!atKeyword("AND")) {
        return left;
    }
    auto node = makeNode(NodeKind::Expression);
    add(*node, std::move(left));
    while (atKeyword("AND")) {
        add(*node, take());
        add(*node, parseNot());
    }
    return node;
}

NodePtr SqlParser::parseNot() {
    if (!atKeyword("NOT")) {
        return parsePredicate();
    }
    const NestingGuard level(*this);
    auto node = makeNode(NodeKind::Expression);
    add(*node, take());
    add(*node, parseNot());
    return node;
}

NodePtr SqlParser::parsePredicate() {
    NodePtr left = parseArithmetic();
    if (contains(kComparisonOperators, peek(), true)) {
        auto node = makeNode(NodeKind::Comparison);
        add(*node, std::move(left));
        add(*node, take());
        add(*node, parseArithmetic());
        return node;
    }
    const bool negated =
        atKeyword("NOT") && (atKeyword("LIKE", 1) || atKeyword("IN", 1) || atKeyword("BETWEEN", 1));
    if (!negated && !atKeyword("IS") && !atKeyword("LIKE") && !atKeyword("IN") &&
        !atKeyword("BETWEEN")) {
        return left;
    }
    auto node = makeNode(NodeKind::Expression);
    add(*node, std::move(left));
    if (atKeyword("IS")) {
        add(*node, take());
        if (atKeyword("NOT")) {
            add(*node, take());
        }
        add(*node, parseArithmetic());
        return node;
    }
    if (negated) {
        add(*node, take());
    }
    if (atKeyword("LIKE")) {
        add(*node, take());
        add(*node, parseArithmetic());
        if (atKeyword("ESCAPE")) {
            add(*node, take());
            add(*node, parseArithmetic());
        }
    } else if (atKeyword("IN")) {
        add(*node, take());
        add(*node, parseParenthesised());
    } else {
        add(*node, expectKeyword("BETWEEN"));
        add(*node, parseArithmetic());
        add(*node, expectKeyword("AND"));
        add(*node, parseArithmetic());
    }
    return node;
}

NodePtr SqlParser::parseArithmetic() {
    NodePtr first = parseUnary();
    if (!contains(kArithmeticOperators, peek(), true) && !atKeyword("MOD")) {
        return first;
    }
    auto node = makeNode(NodeKind::Expression);
    add(*node, std::move(first));
    while (contains(kArithmeticOperators, peek(), true) || atKeyword("MOD")) {
        add(*node, take());
        add(*node, parseUnary());
    }
    return node;
}

NodePtr SqlParser::parseUnary() {
    if (atSymbol("-") || atSymbol("+") || atSymbol("~")) {
        const NestingGuard level(*this);
        auto node = makeNode(NodeKind::Expression);
        add(*node, take());
        add(*node, parseUnary());
        return node;
    }
    NodePtr primary = parsePrimary();
    if (!atKeyword("COLLATE")) {
        return primary;
    }
    auto node = makeNode(NodeKind::Expression);
    add(*node, std::move(primary));
    add(*node, take());
    add(*node, take());
    return node;
}

NodePtr SqlParser::parsePrimary() {
    const Token& token = peek();
    if (token.kind == TokenKind::String || token.kind == TokenKind::Number || token.is("NULL") ||
        token.is("TRUE") || token.is("FALSE") || token.isSymbol("?")) {
        auto literal = makeNode(NodeKind::Literal);
        add(*literal, take());
        return literal;
    }
    if (token.isSymbol("#")) {
        throw DialectError::unsupported("date literal #...#");
    }
    if (token.is("CASE")) {
        return parseCase();
    }
    if (token.is("EXISTS")) {
        auto node = makeNode(NodeKind::Expression);
        add(*node, take());
        add(*node, parseParenthesised());
        return node;
    }
    if (token.isSymbol("(")) {
        return parseParenthesised();
    }
    if (token.isSymbol("*")) {
        auto star = makeNode(NodeKind::Name);
        add(*star, take());
        return star;
    }
    if ((token.kind == TokenKind::Word || token.kind == TokenKind::QuotedName) &&
        peek(1).isSymbol("(")) {
        return parseCall();
    }
    if (token.kind == TokenKind::QuotedName ||
        (token.kind == TokenKind::Word && !isReservedWord(token.text)) || token.is("USER")) {
        return parseName();
    }
    throw DialectError::malformed(describe(token));
}

NodePtr SqlParser::parseCase() {
    auto node = makeNode(NodeKind::Case);
    add(*node, expectKeyword("CASE"));
    if (!atKeyword("WHEN")) {
        add(*node, parseExpression());
    }
    if (!atKeyword("WHEN")) {
        throw DialectError::malformed("CASE without WHEN");
    }
    while (atKeyword("WHEN")) {
        add(*node, take());
        add(*node, parseExpression());
        add(*node, expectKeyword("THEN"));
        add(*node, parseExpression());
    }
    if (atKeyword("ELSE")) {
        add(*node, take());
        add(*node, parseExpression());
    }
    add(*node, expectKeyword("END"));
    return node;
}

NodePtr SqlParser::parseCall() {
    auto call = makeNode(NodeKind::Call);
    add(*call, take());
    add(*call, expectSymbol("("));
    if (atSymbol(")")) {
        add(*call, take());
        return call;
    }
    if (atKeyword("DISTINCT") || atKeyword("ALL")) {
        add(*call, take());
    }
    while (true) {
        add(*call, parseExpression());
        if (atKeyword("AS")) {
            // CAST(x AS type): the type is kept as it is written.
            add(*call, take());
            while (peek().kind == TokenKind::Word || peek().kind == TokenKind::Number) {
                add(*call, take());
            }
            if (atSymbol("(")) {
                add(*call, parseParenthesised());
            }
        }
        if (!atSymbol(",")) {
            break;
        }
        add(*call, take());
    }
    add(*call, expectSymbol(")"));
    return call;
}

NodePtr SqlParser::parseName() {
    auto name = makeNode(NodeKind::Name);
    add(*name, take());
    while (atSymbol(".")) {
        add(*name, take());
        const Token& next = peek();
        if (next.kind != TokenKind::Word && next.kind != TokenKind::QuotedName &&
            !next.isSymbol("*")) {
            throw DialectError::malformed("name expected after '.', " + describe(next));
        }
        add(*name, take());
    }
    return name;
}

NodePtr SqlParser::parseParenthesised() {
    if (atKeyword("SELECT", 1)) {
        auto subquery = makeNode(NodeKind::Subquery);
        add(*subquery, expectSymbol("("));
        add(*subquery, parseQuery());
        add(*subquery, expectSymbol(")"));
        return subquery;
    }
    auto paren = makeNode(NodeKind::Paren);
    add(*paren, expectSymbol("("));
    add(*paren, parseExpression());
    while (atSymbol(",")) {
        add(*paren, take());
        add(*paren, parseExpression());
    }
    add(*paren, expectSymbol(")"));
    return paren;
}

} // namespace vorn::rdo::dialect
