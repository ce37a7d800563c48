#include "platform/rdo/dialect/expression_rewriter.h"

#include "platform/rdo/dialect/concatenation_rewriter.h"
#include "platform/rdo/dialect/dialect_error.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

namespace vorn::rdo::dialect {

namespace {

constexpr std::array<const char*, 12> kAggregates = {"COUNT",  "SUM",   "AVG",  "MIN",
                                                     "MAX",    "FIRST", "LAST", "STDEV",
                                                     "STDEVP", "VAR",   "VARP", "COUNT_BIG"};

NodePtr& slotAt(SyntaxNode& node, std::size_t index) {
    return std::get<NodePtr>(node.parts[index]);
}

// The call's arguments, in order.
std::vector<std::size_t> argumentSlots(const SyntaxNode& call) {
    std::vector<std::size_t> slots;
    for (std::size_t i = 0; i < call.parts.size(); ++i) {
        if (std::holds_alternative<NodePtr>(call.parts[i])) {
            slots.push_back(i);
        }
    }
    return slots;
}

NodePtr wrapInCall(const char* function, NodePtr argument) {
    auto call = makeNode(NodeKind::Call);
    std::string leading = std::exchange(argument->leading(), std::string());
    call->parts.emplace_back(makeToken(TokenKind::Word, function, std::move(leading)));
    call->parts.emplace_back(makeToken(TokenKind::Symbol, "(", ""));
    call->parts.emplace_back(std::move(argument));
    call->parts.emplace_back(makeToken(TokenKind::Symbol, ")", ""));
    return call;
}

} // namespace

bool isStringLiteral(const SyntaxNode& node) {
    const Token* token = node.firstToken();
    return node.kind == NodeKind::Literal && token && token->kind == TokenKind::String;
}

bool isAggregateCall(const SyntaxNode& node) {
    const Token* name = node.firstToken();
    return node.kind == NodeKind::Call && name &&
           std::any_of(kAggregates.begin(), kAggregates.end(),
                       [&](const char* aggregate) { return name->is(aggregate); });
}

bool containsAggregate(const SyntaxNode& node) {
    if (isAggregateCall(node)) {
        return true;
    }
    for (const SyntaxNode* child : node.children()) {
        if (child->kind != NodeKind::Subquery && containsAggregate(*child)) {
            return true;
        }
    }
    return false;
}

ExpressionRewriter::ExpressionRewriter(Target target, SourceDialect source)
    : target_(target), source_(source) {}

void ExpressionRewriter::rewrite(SyntaxNode& root) const {
    forEachSlot(root, [this](NodePtr& slot) {
        switch (slot->kind) {
        case NodeKind::Call:
            rewriteCall(slot);
            break;
        case NodeKind::Comparison:
            rewriteComparison(*slot);
            break;
        case NodeKind::Case:
            rewriteCase(*slot);
            break;
        case NodeKind::Expression:
            rewriteLike(*slot);
            rewriteConcatenation(slot, source_);
            break;
        default:
            break;
        }
    });
}

void ExpressionRewriter::rewriteCall(NodePtr& slot) const {
    auto& name = std::get<Token>(slot->parts.front());
    const std::vector<std::size_t> arguments = argumentSlots(*slot);
    if (name.is("NZ")) {
        if (arguments.size() != 2) {
            // With one argument Access picks 0 or "" from the context.
            throw DialectError::unsupported("Nz without a value if null");
        }
        name.text = "COALESCE";
        return;
    }
    if (name.is("IIF")) {
        rewriteIif(slot, arguments);
        return;
    }
    if (!name.is("ISNULL")) {
        return;
    }
    if (arguments.size() == 2) {
        // Transact-SQL's ISNULL(value, replacement).
        name.text = "COALESCE";
        return;
    }
    if (arguments.size() != 1) {
        throw DialectError::unsupported("ISNULL with " + std::to_string(arguments.size()) +
                                        " arguments");
    }
    // Access's IsNull(x) is a test, not a replacement.
    auto test = makeNode(NodeKind::Paren);
    test->parts.emplace_back(makeToken(TokenKind::Symbol, "(", name.leading));
    NodePtr argument = std::move(slotAt(*slot, arguments.front()));
    argument->leading().clear();
    test->parts.emplace_back(std::move(argument));
    test->parts.emplace_back(makeToken(TokenKind::Word, "IS"));
    test->parts.emplace_back(makeToken(TokenKind::Word, "NULL"));
    test->parts.emplace_back(makeToken(TokenKind::Symbol, ")", ""));
    slot = std::move(test);
}

void ExpressionRewriter::rewriteIif(NodePtr& slot, const std::vector<std::size_t>& arguments) {
    if (arguments.size() != 3) {
        throw DialectError::unsupported("IIf with " + std::to_string(arguments.size()) +
                                        " arguments");
    }
    // IIf(test, yes, no)  ->  CASE WHEN test THEN yes ELSE no END
    auto node = makeNode(NodeKind::Case);
    const std::string leading = std::get<Token>(slot->parts.front()).leading;
    node->parts.emplace_back(makeToken(TokenKind::Word, "CASE", leading));
    const char* keywords[] = {"WHEN", "THEN", "ELSE"};
    for (std::size_t i = 0; i < 3; ++i) {
        node->parts.emplace_back(makeToken(TokenKind::Word, keywords[i]));
        NodePtr argument = std::move(slotAt(*slot, arguments[i]));
        argument->leading() = " ";
        node->parts.emplace_back(std::move(argument));
    }
    node->parts.emplace_back(makeToken(TokenKind::Word, "END"));
    slot = std::move(node);
}

NodePtr ExpressionRewriter::caseless(NodePtr operand, bool isLiteral) const {
    if (target_ == Target::PostgreSQL) {
        return wrapInCall("lower", std::move(operand));
    }
    if (!isLiteral) {
        return operand;
    }
    auto collated = makeNode(NodeKind::Expression);
    collated->parts.emplace_back(std::move(operand));
    collated->parts.emplace_back(makeToken(TokenKind::Word, "COLLATE"));
    collated->parts.emplace_back(makeToken(TokenKind::Word, "NOCASE"));
    return collated;
}

void ExpressionRewriter::rewriteComparison(SyntaxNode& comparison) const {
    NodePtr& left = slotAt(comparison, 0);
    NodePtr& right = slotAt(comparison, 2);
    const bool leftText = isStringLiteral(*left);
    const bool rightText = isStringLiteral(*right);
    if (!leftText && !rightText) {
        return;
    }
    if (target_ == Target::SQLite) {
        // One explicit collation decides the comparison; put it on the literal.
        NodePtr& literal = leftText ? left : right;
        literal = caseless(std::move(literal), true);
        return;
    }
    left = caseless(std::move(left), leftText);
    right = caseless(std::move(right), rightText);
}

void ExpressionRewriter::rewriteCase(SyntaxNode& node) const {
    // Parts: CASE [operand] (WHEN value THEN result)* [ELSE result] END.
    if (!std::holds_alternative<NodePtr>(node.parts[1])) {
        return; // searched CASE: its conditions are comparisons of their own
    }
    std::vector<std::size_t> whenValues;
    bool anyText = false;
    for (std::size_t i = 2; i + 1 < node.parts.size(); ++i) {
        const auto* token = std::get_if<Token>(&node.parts[i]);
        if (token && token->is("WHEN")) {
            whenValues.push_back(i + 1);
            anyText = anyText || isStringLiteral(*slotAt(node, i + 1));
        }
    }
    if (!anyText) {
        return;
    }
    NodePtr& operand = slotAt(node, 1);
    if (target_ == Target::SQLite) {
        // The operand's collation applies to every WHEN of the CASE.
        auto collated = makeNode(NodeKind::Expression);
        collated->parts.emplace_back(std::move(operand));
        collated->parts.emplace_back(makeToken(TokenKind::Word, "COLLATE"));
        collated->parts.emplace_back(makeToken(TokenKind::Word, "NOCASE"));
        operand = std::move(collated);
        return;
    }
    operand = caseless(std::move(operand), false);
    for (std::size_t index : whenValues) {
        NodePtr& value = slotAt(node, index);
        // lower() takes text only; a number or NULL is compared as it is.
        if (value->kind != NodeKind::Literal || isStringLiteral(*value)) {
            value = caseless(std::move(value), isStringLiteral(*value));
        }
    }
}

void ExpressionRewriter::rewriteLike(SyntaxNode& node) const {
    for (Part& part : node.parts) {
        auto* token = std::get_if<Token>(&part);
        if (!token || !token->is("LIKE")) {
            continue;
        }
        if (source_ == SourceDialect::Access) {
            // Jet's * and ? wildcards would need the pattern rewritten.
            throw DialectError::unsupported("LIKE in Access SQL");
        }
        if (target_ == Target::PostgreSQL) {
            token->text = "ILIKE";
        }
    }
}

} // namespace vorn::rdo::dialect
