// One lexical unit of an SQL text, with the blanks and comments before it, so
// that a statement printed back from its tokens is the text it was read from.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vorn::rdo::dialect {

enum class TokenKind {
    Word,       // keyword or plain identifier: SELECT, Items, ProjectIndex
    QuotedName, // [Total of ItemIndex] or "total of itemindex"
    String,     // 'O''Brien', quotes included
    Number,     // 42, 3.5, 1e3; a sign is a separate Symbol
    Symbol,     // operators and punctuation: = <> ( ) , . * ;
    End,        // after the last token; its leading text is the trailing trivia
};

struct Token {
    TokenKind kind = TokenKind::End;
    std::string text;    // as written, quotes and brackets included
    std::string leading; // blanks and comments before the token
    std::size_t offset = 0;

    /// Keyword test, letter case ignored.
    bool is(std::string_view keyword) const;
    bool isSymbol(std::string_view symbol) const {
        return kind == TokenKind::Symbol && text == symbol;
    }
    /// The name inside a QuotedName, escapes undone; the text of a Word.
    std::string name() const;
    /// The value of a String token, quotes removed and doubled quotes undone.
    std::string stringValue() const;
};

/// A new token that is not read from a text, with one blank before it unless
/// `leading` says otherwise.
Token makeToken(TokenKind kind, std::string text, std::string leading = " ");

} // namespace vorn::rdo::dialect
