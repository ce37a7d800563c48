// A node of the concrete syntax tree: the tokens and child nodes of one
// construct in the order written, so printing a tree gives its text back and a
// rewrite touches only the construct it changes.
#pragma once

#include "platform/rdo/dialect/token.h"

#include <functional>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace vorn::rdo::dialect {

enum class NodeKind {
    // statements and clauses
    Query,      // Select nodes joined by UNION/EXCEPT/INTERSECT tokens, then an OrderBy
    Select,     // SELECT ... with SelectList, From, Where, GroupBy, Having children
    Transform,  // TRANSFORM aggregate, a Select and a Pivot
    Delete,     // DELETE [*] FROM table [Where]
    SelectList, // SelectItem nodes separated by commas
    SelectItem, // expression [AS] [alias]
    From,
    Where,
    GroupBy, // GROUP BY expressions [WITH CUBE|ROLLUP]
    Having,
    OrderBy,
    Pivot, // PIVOT expression [IN (values)]
    // expressions
    Expression, // any run of operands and operators not named below
    Comparison, // left, operator token, right
    Call,       // name token, "(", arguments separated by ",", ")"
    Case,       // CASE [operand] WHEN ... THEN ... [ELSE ...] END
    Paren,      // "(" expression ")"
    Subquery,   // "(" Query ")"
    Name,       // a.b.c
    Literal,    // a string, a number, NULL
};

struct SyntaxNode;
using NodePtr = std::unique_ptr<SyntaxNode>;
using Part = std::variant<Token, NodePtr>;

struct SyntaxNode {
    NodeKind kind = NodeKind::Expression;
    std::vector<Part> parts;

    explicit SyntaxNode(NodeKind k) : kind(k) {}

    NodePtr clone() const;
    /// The text the node was read from, or its rewritten form.
    std::string print() const;
    /// The text without blanks or comments, letter case folded: for telling
    /// whether two expressions are the same one.
    std::string canonical() const;

    /// The first child node of `k`, or null.
    SyntaxNode* child(NodeKind k) const;
    /// All child nodes, in order.
    std::vector<SyntaxNode*> children() const;
    /// The first token among the parts (not inside children), or null.
    const Token* firstToken() const;
    /// The blanks and comments before the node's first token.
    std::string& leading();
};

NodePtr makeNode(NodeKind kind);
/// Calls `visit` for every token of the tree, in order.
void forEachToken(SyntaxNode& root, const std::function<void(Token&)>& visit);
/// Calls `visit` for every child slot below `root`, children before their
/// parent, so that a visit may replace the node in its slot.
void forEachSlot(SyntaxNode& root, const std::function<void(NodePtr&)>& visit);
/// A Literal node holding one token: NULL, 0, 1, 'text'.
NodePtr makeLiteral(std::string text, std::string leading = " ");

} // namespace vorn::rdo::dialect
