#include "platform/rdo/dialect/syntax_node.h"

#include "platform/rdo/dialect/text_case.h"

#include <cctype>

namespace vorn::rdo::dialect {

NodePtr SyntaxNode::clone() const {
    auto copy = std::make_unique<SyntaxNode>(kind);
    copy->parts.reserve(parts.size());
    for (const Part& part : parts) {
        if (const auto* token = std::get_if<Token>(&part)) {
            copy->parts.emplace_back(*token);
        } else {
            copy->parts.emplace_back(std::get<NodePtr>(part)->clone());
        }
    }
    return copy;
}

std::string SyntaxNode::print() const {
    std::string out;
    for (const Part& part : parts) {
        if (const auto* token = std::get_if<Token>(&part)) {
            out += token->leading;
            out += token->text;
        } else {
            out += std::get<NodePtr>(part)->print();
        }
    }
    return out;
}

std::string SyntaxNode::canonical() const {
    std::string out;
    for (const Part& part : parts) {
        if (const auto* token = std::get_if<Token>(&part)) {
            if (!out.empty()) {
                out += ' ';
            }
            // [Name], "name" and Name are one name.
            out += token->kind == TokenKind::QuotedName ? lowerCase(token->name())
                                                        : lowerCase(token->text);
        } else {
            const std::string inner = std::get<NodePtr>(part)->canonical();
            if (!out.empty() && !inner.empty()) {
                out += ' ';
            }
            out += inner;
        }
    }
    return out;
}

SyntaxNode* SyntaxNode::child(NodeKind k) const {
    for (const Part& part : parts) {
        if (const auto* node = std::get_if<NodePtr>(&part); node && (*node)->kind == k) {
            return node->get();
        }
    }
    return nullptr;
}

std::vector<SyntaxNode*> SyntaxNode::children() const {
    std::vector<SyntaxNode*> out;
    for (const Part& part : parts) {
        if (const auto* node = std::get_if<NodePtr>(&part)) {
            out.push_back(node->get());
        }
    }
    return out;
}

const Token* SyntaxNode::firstToken() const {
    for (const Part& part : parts) {
        if (const auto* token = std::get_if<Token>(&part)) {
            return token;
        }
    }
    return nullptr;
}

std::string& SyntaxNode::leading() {
    SyntaxNode* node = this;
    while (true) {
        Part& first = node->parts.front();
        if (auto* token = std::get_if<Token>(&first)) {
            return token->leading;
        }
        node = std::get<NodePtr>(first).get();
    }
}

void forEachToken(SyntaxNode& root, const std::function<void(Token&)>& visit) {
    for (Part& part : root.parts) {
        if (auto* token = std::get_if<Token>(&part)) {
            visit(*token);
        } else {
            forEachToken(*std::get<NodePtr>(part), visit);
        }
    }
}

void forEachSlot(SyntaxNode& root, const std::function<void(NodePtr&)>& visit) {
    for (Part& part : root.parts) {
        if (auto* node = std::get_if<NodePtr>(&part)) {
            forEachSlot(**node, visit);
            visit(*node);
        }
    }
}

NodePtr makeNode(NodeKind kind) {
    return std::make_unique<SyntaxNode>(kind);
}

NodePtr makeLiteral(std::string text, std::string leading) {
    auto node = makeNode(NodeKind::Literal);
    const TokenKind kind = !text.empty() && text.front() == '\'' ? TokenKind::String
                           : !text.empty() && std::isdigit(static_cast<unsigned char>(text[0]))
                               ? TokenKind::Number
                               : TokenKind::Word;
    node->parts.emplace_back(makeToken(kind, std::move(text), std::move(leading)));
    return node;
}

} // namespace vorn::rdo::dialect
