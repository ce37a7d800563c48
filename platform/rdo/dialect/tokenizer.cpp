#include "platform/rdo/dialect/tokenizer.h"

#include "platform/rdo/dialect/dialect_error.h"

#include <array>

namespace vorn::rdo::dialect {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Bytes of multi-byte UTF-8 characters count as letters, so names in any
// script stay one word.
bool isWordStart(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == '@' ||
           (static_cast<unsigned char>(c) & 0x80) != 0;
}

bool isWordPart(char c) {
    return isWordStart(c) || isDigit(c) || c == '$' || c == '#';
}

class Scanner {
public:
    explicit Scanner(std::string_view sql) : sql_(sql) {}

    std::vector<Token> run() {
        std::vector<Token> tokens;
        while (true) {
            const std::size_t triviaStart = pos_;
            skipTrivia();
            Token token;
            token.leading = std::string(sql_.substr(triviaStart, pos_ - triviaStart));
            token.offset = pos_;
            if (pos_ >= sql_.size()) {
                tokens.push_back(std::move(token));
                return tokens;
            }
            token.kind = scanOne();
            token.text = std::string(sql_.substr(token.offset, pos_ - token.offset));
            tokens.push_back(std::move(token));
        }
    }

private:
    char at(std::size_t i) const { return i < sql_.size() ? sql_[i] : '\0'; }

    void skipTrivia() {
        while (pos_ < sql_.size()) {
            const char c = sql_[pos_];
            if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v') {
                ++pos_;
            } else if (c == '-' && at(pos_ + 1) == '-') {
                const std::size_t end = sql_.find('\n', pos_);
                pos_ = end == std::string_view::npos ? sql_.size() : end + 1;
            } else if (c == '/' && at(pos_ + 1) == '*') {
                const std::size_t end = sql_.find("*/", pos_ + 2);
                if (end == std::string_view::npos) {
                    throw DialectError::malformed("unterminated comment");
                }
                pos_ = end + 2;
            } else {
                return;
            }
        }
    }

    // A quoted run that ends at `close`; a doubled `close` stands for itself.
    void scanQuoted(char close, const char* what) {
        ++pos_;
        while (true) {
            if (pos_ >= sql_.size()) {
                throw DialectError::malformed(std::string("unterminated ") + what);
            }
            if (sql_[pos_] == close) {
                if (at(pos_ + 1) == close) {
                    pos_ += 2;
                    continue;
                }
                ++pos_;
                return;
            }
            ++pos_;
        }
    }

    void scanNumber() {
        while (isDigit(at(pos_))) {
            ++pos_;
        }
        if (at(pos_) == '.' && isDigit(at(pos_ + 1))) {
            ++pos_;
            while (isDigit(at(pos_))) {
                ++pos_;
            }
        }
        const char e = at(pos_);
        if (e == 'e' || e == 'E') {
            std::size_t next = pos_ + 1;
            if (at(next) == '+' || at(next) == '-') {
                ++next;
            }
            if (isDigit(at(next))) {
                pos_ = next;
                while (isDigit(at(pos_))) {
                    ++pos_;
                }
            }
        }
    }

    TokenKind scanOne() {
        const char c = sql_[pos_];
        if (c == '\'') {
            scanQuoted('\'', "string literal");
            return TokenKind::String;
        }
        if (c == '[') {
            scanQuoted(']', "bracketed name");
            return TokenKind::QuotedName;
        }
        if (c == '"') {
            scanQuoted('"', "quoted name");
            return TokenKind::QuotedName;
        }
        if (isDigit(c) || (c == '.' && isDigit(at(pos_ + 1)))) {
            scanNumber();
            return TokenKind::Number;
        }
        if (isWordStart(c)) {
            while (isWordPart(at(pos_))) {
                ++pos_;
            }
            return TokenKind::Word;
        }
        static constexpr std::array<std::string_view, 7> kTwoCharacterSymbols = {
            "<>", "<=", ">=", "!=", "||", "::", "=="};
        for (std::string_view symbol : kTwoCharacterSymbols) {
            if (sql_.substr(pos_, 2) == symbol) {
                pos_ += 2;
                return TokenKind::Symbol;
            }
        }
        ++pos_;
        return TokenKind::Symbol;
    }

    std::string_view sql_;
    std::size_t pos_ = 0;
};

} // namespace

std::vector<Token> tokenize(std::string_view sql) {
    return Scanner(sql).run();
}

} // namespace vorn::rdo::dialect
