// Reads the statements of the legacy dialects into a concrete syntax tree:
// queries with unions and derived tables, TRANSFORM ... PIVOT crosstabs and
// DELETE. Expressions are read only as deep as the rewrites need: comparisons,
// calls, CASE, subqueries and names are nodes of their own, the rest is kept
// as it stands.
#pragma once

#include "platform/rdo/dialect/syntax_node.h"
#include "platform/rdo/dialect/token.h"

#include <cstddef>
#include <vector>

namespace vorn::rdo::dialect {

class SqlParser {
public:
    explicit SqlParser(std::vector<Token> tokens);

    /// One statement, an optional ";" and the end of the text. The End token
    /// (with any trailing comments) is kept in the returned node.
    /// \throws DialectError: kMalformedSql for text that is not SQL,
    ///         kUnsupportedConstruct for statements other than SELECT,
    ///         TRANSFORM and DELETE, and for nesting deeper than kMaxNesting.
    NodePtr parseStatement();

    /// Parentheses, subqueries, NOT and signs nested deeper than this are
    /// refused: the parser and every walk over the tree recurse once per
    /// level, and the host's stack is not ours to exhaust. A debug build
    /// needs about 3 KB of stack per level, so this stays within 512 KB.
    static constexpr int kMaxNesting = 128;

private:
    class NestingGuard;

    const Token& peek(std::size_t ahead = 0) const;
    Token take();
    Token expectKeyword(const char* keyword);
    Token expectSymbol(const char* symbol);
    bool atKeyword(const char* keyword, std::size_t ahead = 0) const;
    bool atSymbol(const char* symbol, std::size_t ahead = 0) const;
    bool atClauseEnd() const;
    bool atAlias() const;

    NodePtr parseQuery();
    NodePtr parseSelect();
    NodePtr parseTransform();
    NodePtr parseDelete();
    NodePtr parseSelectList();
    NodePtr parseSelectItem();
    NodePtr parseFrom();
    void parseTableReferences(SyntaxNode& into);
    void parseTableFactor(SyntaxNode& into);
    NodePtr parseGroupBy();
    NodePtr parseOrderBy();
    NodePtr parsePivot();
    NodePtr parseClause(NodeKind kind);

    NodePtr parseExpression();
    NodePtr parseAnd();
    NodePtr parseNot();
    NodePtr parsePredicate();
    NodePtr parseArithmetic();
    NodePtr parseUnary();
    NodePtr parsePrimary();
    NodePtr parseCase();
    NodePtr parseCall();
    NodePtr parseName();
    NodePtr parseParenthesised();

    std::vector<Token> tokens_;
    std::size_t pos_ = 0;
    int nesting_ = 0;
};

/// Whether `word` is a reserved word of SQL that cannot stand as a bare name.
bool isReservedWord(std::string_view word);

} // namespace vorn::rdo::dialect
