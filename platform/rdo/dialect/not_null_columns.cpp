#include "platform/rdo/dialect/not_null_columns.h"

#include "platform/rdo/dialect/text_case.h"

#include <vector>

namespace vorn::rdo::dialect {

namespace {

const Token* tokenAt(const SyntaxNode& node, std::size_t index) {
    return index < node.parts.size() ? std::get_if<Token>(&node.parts[index]) : nullptr;
}

const SyntaxNode* nodeAt(const SyntaxNode& node, std::size_t index) {
    if (index >= node.parts.size()) {
        return nullptr;
    }
    const auto* slot = std::get_if<NodePtr>(&node.parts[index]);
    return slot ? slot->get() : nullptr;
}

// alias -> the Query node inside "(SELECT ...) [AS] alias" of a FROM.
std::map<std::string, const SyntaxNode*> derivedTables(const SyntaxNode& from) {
    std::map<std::string, const SyntaxNode*> tables;
    for (std::size_t i = 0; i < from.parts.size(); ++i) {
        const SyntaxNode* subquery = nodeAt(from, i);
        if (!subquery || subquery->kind != NodeKind::Subquery) {
            continue;
        }
        std::size_t at = i + 1;
        if (const Token* as = tokenAt(from, at); as && as->is("AS")) {
            ++at;
        }
        const Token* alias = tokenAt(from, at);
        const SyntaxNode* query = subquery->child(NodeKind::Query);
        if (alias && query &&
            (alias->kind == TokenKind::Word || alias->kind == TokenKind::QuotedName)) {
            tables.emplace(lowerCase(alias->name()), query);
        }
    }
    return tables;
}

bool isAndChain(const SyntaxNode& node) {
    if (node.kind != NodeKind::Expression || node.parts.size() < 3) {
        return false;
    }
    for (std::size_t i = 1; i < node.parts.size(); i += 2) {
        const Token* op = tokenAt(node, i);
        if (!op || !op->is("AND")) {
            return false;
        }
    }
    return true;
}

// "a.b IS NOT NULL" as the Name node a.b, or null.
const SyntaxNode* notNullTest(const SyntaxNode& node) {
    if (node.kind != NodeKind::Expression || node.parts.size() != 4) {
        return nullptr;
    }
    const SyntaxNode* operand = nodeAt(node, 0);
    const Token* is = tokenAt(node, 1);
    const Token* negation = tokenAt(node, 2);
    const SyntaxNode* value = nodeAt(node, 3);
    if (!operand || operand->kind != NodeKind::Name || !is || !is->is("IS") || !negation ||
        !negation->is("NOT") || !value || value->kind != NodeKind::Literal ||
        !value->firstToken()->is("NULL")) {
        return nullptr;
    }
    return operand;
}

// Qualified names "alias.column" that every row passing `condition` has non-null.
void collectConjuncts(const SyntaxNode& condition, std::vector<const SyntaxNode*>& names) {
    if (condition.kind == NodeKind::Paren && condition.parts.size() == 3) {
        if (const SyntaxNode* inner = nodeAt(condition, 1)) {
            collectConjuncts(*inner, names);
        }
        return;
    }
    if (isAndChain(condition)) {
        for (std::size_t i = 0; i < condition.parts.size(); i += 2) {
            if (const SyntaxNode* operand = nodeAt(condition, i)) {
                collectConjuncts(*operand, names);
            }
        }
        return;
    }
    if (const SyntaxNode* name = notNullTest(condition)) {
        names.push_back(name);
    }
}

void collectSelect(const SyntaxNode& select, NotNullColumns& out) {
    const SyntaxNode* from = select.child(NodeKind::From);
    const SyntaxNode* where = select.child(NodeKind::Where);
    if (!from || !where) {
        return;
    }
    const auto tables = derivedTables(*from);
    if (tables.empty()) {
        return;
    }
    std::vector<const SyntaxNode*> names;
    for (const SyntaxNode* condition : where->children()) {
        collectConjuncts(*condition, names);
    }
    for (const SyntaxNode* name : names) {
        // alias . column: three tokens, nothing else
        const Token* alias = tokenAt(*name, 0);
        const Token* dot = tokenAt(*name, 1);
        const Token* column = tokenAt(*name, 2);
        if (name->parts.size() != 3 || !alias || !dot || !dot->isSymbol(".") || !column) {
            continue;
        }
        if (auto table = tables.find(lowerCase(alias->name())); table != tables.end()) {
            out[table->second].insert(lowerCase(column->name()));
        }
    }
}

void collect(const SyntaxNode& node, NotNullColumns& out) {
    if (node.kind == NodeKind::Select) {
        collectSelect(node, out);
    }
    for (const SyntaxNode* child : node.children()) {
        collect(*child, out);
    }
}

} // namespace

NotNullColumns findNotNullColumns(const SyntaxNode& root) {
    NotNullColumns out;
    collect(root, out);
    return out;
}

std::string outputName(const SyntaxNode& selectItem) {
    const SyntaxNode* expression = nodeAt(selectItem, 0);
    if (selectItem.parts.size() > 1) {
        if (const Token* alias = std::get_if<Token>(&selectItem.parts.back())) {
            return lowerCase(alias->name());
        }
    }
    if (expression && expression->kind == NodeKind::Name) {
        if (const Token* last = std::get_if<Token>(&expression->parts.back())) {
            return last->isSymbol("*") ? std::string() : lowerCase(last->name());
        }
    }
    return {};
}

} // namespace vorn::rdo::dialect
