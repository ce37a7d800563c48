#include "platform/rdo/dialect/concatenation_rewriter.h"

#include "platform/rdo/dialect/dialect_error.h"
#include "platform/rdo/dialect/expression_rewriter.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>
#include <vector>

namespace vorn::rdo::dialect {

namespace {

enum class Kind { Text, Number, Unknown };

constexpr std::array<const char*, 17> kTextFunctions = {
    "UPPER", "LOWER", "UCASE",   "LCASE", "LTRIM",     "RTRIM",  "TRIM",      "LEFT", "RIGHT",
    "MID",   "STR",   "REPLACE", "SPACE", "SUBSTRING", "SUBSTR", "REPLICATE", "CHAR"};

// As the parser reads them into one run.
constexpr std::array<const char*, 9> kArithmeticOperators = {"+",  "-", "*", "/", "%",
                                                             "||", "&", "|", "^"};

bool isArithmeticOperator(const Token& token) {
    return token.is("MOD") || std::any_of(kArithmeticOperators.begin(), kArithmeticOperators.end(),
                                          [&](const char* op) { return token.isSymbol(op); });
}

// operand (operator operand)+, as the parser reads a run of arithmetic.
bool isArithmeticChain(const SyntaxNode& node) {
    if (node.kind != NodeKind::Expression || node.parts.size() < 3 || node.parts.size() % 2 == 0) {
        return false;
    }
    for (std::size_t i = 0; i < node.parts.size(); ++i) {
        const auto* token = std::get_if<Token>(&node.parts[i]);
        if ((i % 2 == 0) != (token == nullptr) || (token && !isArithmeticOperator(*token))) {
            return false;
        }
    }
    return true;
}

bool hasOperator(const SyntaxNode& node, const char* op) {
    return std::any_of(node.parts.begin(), node.parts.end(), [&](const Part& part) {
        const auto* token = std::get_if<Token>(&part);
        return token && token->isSymbol(op);
    });
}

Kind kindOf(const SyntaxNode& node) {
    const Token* first = node.firstToken();
    switch (node.kind) {
    case NodeKind::Literal:
        return first->kind == TokenKind::String   ? Kind::Text
               : first->kind == TokenKind::Number ? Kind::Number
                                                  : Kind::Unknown;
    case NodeKind::Paren: {
        const std::vector<SyntaxNode*> inner = node.children();
        return inner.size() == 1 ? kindOf(*inner.front()) : Kind::Unknown;
    }
    case NodeKind::Call:
        if (std::any_of(kTextFunctions.begin(), kTextFunctions.end(),
                        [&](const char* name) { return first->is(name); })) {
            return Kind::Text;
        }
        return first->is("COUNT") || first->is("COUNT_BIG") ? Kind::Number : Kind::Unknown;
    case NodeKind::Expression:
        if (hasOperator(node, "||")) {
            return Kind::Text;
        }
        if (node.parts.size() == 2 && first && (first->isSymbol("-") || first->isSymbol("+"))) {
            return kindOf(*std::get<NodePtr>(node.parts[1]));
        }
        return Kind::Unknown;
    default:
        return Kind::Unknown;
    }
}

NodePtr parenthesised(NodePtr inner) {
    auto paren = makeNode(NodeKind::Paren);
    std::string leading = std::exchange(inner->leading(), std::string());
    paren->parts.emplace_back(makeToken(TokenKind::Symbol, "(", std::move(leading)));
    paren->parts.emplace_back(std::move(inner));
    paren->parts.emplace_back(makeToken(TokenKind::Symbol, ")", ""));
    return paren;
}

// a + b + c with + read as a join where the rule says so; `chain` has no &.
void joinWithPlus(NodePtr& chain) {
    if (!isArithmeticChain(*chain) || !hasOperator(*chain, "+")) {
        return;
    }
    const std::vector<SyntaxNode*> operands = chain->children();
    if (std::none_of(operands.begin(), operands.end(),
                     [](const SyntaxNode* operand) { return kindOf(*operand) == Kind::Text; })) {
        return;
    }
    Kind sum = kindOf(*operands.front());
    bool joins = false;
    bool adds = false;
    for (std::size_t i = 1; i < chain->parts.size(); i += 2) {
        if (!std::get<Token>(chain->parts[i]).isSymbol("+")) {
            throw DialectError::unsupported("+ joining text beside other arithmetic");
        }
        const Kind next = kindOf(*std::get<NodePtr>(chain->parts[i + 1]));
        const bool join = (sum == Kind::Text && next != Kind::Number) ||
                          (sum == Kind::Unknown && next == Kind::Text);
        joins = joins || join;
        adds = adds || !join;
        sum = join ? Kind::Text
                   : (sum == Kind::Number || next == Kind::Number ? Kind::Number : Kind::Unknown);
    }
    if (joins && adds) {
        throw DialectError::unsupported("+ that both adds and joins text");
    }
    if (!joins) {
        return;
    }
    for (std::size_t i = 1; i < chain->parts.size(); i += 2) {
        std::get<Token>(chain->parts[i]).text = "||";
    }
    chain = parenthesised(std::move(chain));
}

// COALESCE(CAST(operand AS TEXT), '')
NodePtr asText(NodePtr operand) {
    const std::string leading = std::exchange(operand->leading(), std::string());
    auto cast = makeNode(NodeKind::Call);
    cast->parts.emplace_back(makeToken(TokenKind::Word, "CAST", ""));
    cast->parts.emplace_back(makeToken(TokenKind::Symbol, "(", ""));
    cast->parts.emplace_back(std::move(operand));
    cast->parts.emplace_back(makeToken(TokenKind::Word, "AS"));
    cast->parts.emplace_back(makeToken(TokenKind::Word, "TEXT"));
    cast->parts.emplace_back(makeToken(TokenKind::Symbol, ")", ""));
    auto coalesce = makeNode(NodeKind::Call);
    coalesce->parts.emplace_back(makeToken(TokenKind::Word, "COALESCE", leading));
    coalesce->parts.emplace_back(makeToken(TokenKind::Symbol, "(", ""));
    coalesce->parts.emplace_back(std::move(cast));
    coalesce->parts.emplace_back(makeToken(TokenKind::Symbol, ",", ""));
    coalesce->parts.emplace_back(makeLiteral("''"));
    coalesce->parts.emplace_back(makeToken(TokenKind::Symbol, ")", ""));
    return coalesce;
}

// One operand of &: a single node, or the arithmetic between two &s.
NodePtr segmentOperand(std::vector<Part>& parts) {
    if (parts.size() == 1) {
        return std::move(std::get<NodePtr>(parts.front()));
    }
    auto segment = makeNode(NodeKind::Expression);
    segment->parts = std::move(parts);
    joinWithPlus(segment);
    return segment->kind == NodeKind::Paren ? std::move(segment)
                                            : parenthesised(std::move(segment));
}

void joinWithAmpersand(NodePtr& chain) {
    const std::string leading = std::exchange(chain->leading(), std::string());
    auto joined = makeNode(NodeKind::Expression);
    std::vector<Part> segment;
    const auto flush = [&](std::string separatorLeading) {
        NodePtr operand = segmentOperand(segment);
        segment.clear();
        if (!isStringLiteral(*operand)) {
            operand = asText(std::move(operand));
        }
        if (!joined->parts.empty()) {
            joined->parts.emplace_back(makeToken(TokenKind::Symbol, "||", separatorLeading));
        }
        joined->parts.emplace_back(std::move(operand));
    };
    std::string separatorLeading;
    for (Part& part : chain->parts) {
        const auto* token = std::get_if<Token>(&part);
        if (token && token->isSymbol("&")) {
            const std::string next = token->leading;
            flush(separatorLeading);
            separatorLeading = next;
            continue;
        }
        segment.push_back(std::move(part));
    }
    flush(separatorLeading);
    chain = parenthesised(std::move(joined));
    chain->leading() = leading;
}

} // namespace

void rewriteConcatenation(NodePtr& slot, SourceDialect source) {
    if (!isArithmeticChain(*slot)) {
        return;
    }
    // Transact-SQL's & is a bitwise AND, as it is on the targets.
    if (source == SourceDialect::Access && hasOperator(*slot, "&")) {
        joinWithAmpersand(slot);
        return;
    }
    joinWithPlus(slot);
}

} // namespace vorn::rdo::dialect
