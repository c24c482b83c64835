#include "app/statistics/formula.h"

#include <algorithm>
#include <string>
#include <vector>

#include "app/statistics/arithmetic.h"
#include "runtime/value/number_text.h"

namespace app {
namespace {

// The GBK ideographic space.
constexpr std::string_view kWideSpace = "\xA1\xA1";

bool isOperator(char byte) { return std::string_view("+-*/()[]").find(byte) != std::string_view::npos; }
bool isNumberByte(char byte) { return (byte >= '0' && byte <= '9') || byte == '.'; }
bool isLeadByte(char byte) { return static_cast<unsigned char>(byte) >= 0x81; }

std::string withoutSpaces(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == ' ') continue;
        if (text.substr(i, 2) == kWideSpace) {
            ++i;
            continue;
        }
        result += text[i];
        // A trail byte is never taken for a character of its own.
        if (isLeadByte(text[i]) && i + 1 < text.size()) result += text[++i];
    }
    return result;
}

// Numbers and operators in the order they stand. Other bytes are skipped without
// ending the number being read; a double-byte character is skipped whole, since its
// second byte may look like "[" or "]".
struct Token {
    char op = 0;  // 0 for a number
    double value = 0;
};

// The length of an exponent ("e3", "E-3", "e+10") starting at text[at], right after a
// digit or point of a number; 0 when none starts there. Its sign is part of the
// number, not an operator: the command's own results take this form (1e+13), and in
// the beside mode they are read again.
size_t exponentLength(std::string_view text, size_t at) {
    if (at == 0 || !isNumberByte(text[at - 1]) || (text[at] != 'e' && text[at] != 'E')) return 0;
    size_t digits = at + 1;
    if (digits < text.size() && (text[digits] == '+' || text[digits] == '-')) ++digits;
    if (digits == text.size() || text[digits] < '0' || text[digits] > '9') return 0;
    return digits - at;
}

std::vector<Token> tokensOf(std::string_view text) {
    std::vector<Token> tokens;
    std::string number;
    bool hasExponent = false;
    auto endNumber = [&] {
        if (number.empty()) return;
        tokens.push_back({0, rt::textToNumber(number)});
        number.clear();
        hasExponent = false;
    };
    for (size_t i = 0; i < text.size(); ++i) {
        const char byte = text[i];
        const size_t exponent = hasExponent ? 0 : exponentLength(text, i);
        if (exponent > 0) {
            number.append(text.substr(i, exponent));
            hasExponent = true;
            i += exponent - 1;
        } else if (isNumberByte(byte)) {
            number += byte;
        } else if (isOperator(byte)) {
            endNumber();
            tokens.push_back({byte, 0});
        } else if (isLeadByte(byte)) {
            ++i;
        }
    }
    endNumber();
    return tokens;
}

// expression := term (("+" | "-") term)*
// term       := factor (("*" | "/") factor)*
// factor     := ("+" | "-") factor | number | "(" expression ")" | "[" expression "]"
class Parser {
public:
    explicit Parser(std::vector<Token> tokens) : tokens_(std::move(tokens)) {}

    std::optional<double> whole() {
        std::optional<double> value = expression();
        if (!value || position_ != tokens_.size()) return std::nullopt;
        return value;
    }

private:
    bool take(char op) {
        if (position_ < tokens_.size() && tokens_[position_].op == op) {
            ++position_;
            return true;
        }
        return false;
    }

    std::optional<double> expression() {
        std::optional<double> value = term();
        while (value) {
            if (take('+')) {
                std::optional<double> right = term();
                value = right ? std::optional(*value + *right) : std::nullopt;
            } else if (take('-')) {
                std::optional<double> right = term();
                value = right ? std::optional(*value - *right) : std::nullopt;
            } else {
                break;
            }
        }
        return value;
    }

    std::optional<double> term() {
        std::optional<double> value = factor();
        while (value) {
            if (take('*')) {
                std::optional<double> right = factor();
                value = right ? std::optional(*value * *right) : std::nullopt;
            } else if (take('/')) {
                std::optional<double> right = factor();
                value = right ? std::optional(*value / *right) : std::nullopt;
            } else {
                break;
            }
        }
        return value;
    }

    std::optional<double> factor() {
        if (position_ >= tokens_.size() || depth_ >= kMaximumFormulaDepth) return std::nullopt;
        const Token token = tokens_[position_];
        if (token.op == 0) {
            ++position_;
            return token.value;
        }
        ++position_;
        ++depth_;
        std::optional<double> value;
        if (token.op == '+' || token.op == '-') {
            value = factor();
            if (value && token.op == '-') value = -*value;
        } else if (token.op == '(' || token.op == '[') {
            value = expression();
            if (!take(token.op == '(' ? ')' : ']')) value = std::nullopt;
        }
        --depth_;
        return value;
    }

    std::vector<Token> tokens_;
    size_t position_ = 0;
    int depth_ = 0;
};

}  // namespace

std::optional<std::string> evaluateFormula(std::string_view text) {
    const std::string expression = withoutSpaces(text);
    std::vector<Token> tokens = tokensOf(expression);
    const bool hasOperator =
        std::any_of(tokens.begin(), tokens.end(), [](const Token& token) { return token.op != 0; });
    if (!hasOperator) return expression;
    std::optional<double> value = Parser(std::move(tokens)).whole();
    if (!value) return std::nullopt;
    return resultText(*value);
}

FormulaCell formulaCellOf(std::string_view cellText) {
    std::string text = withoutSpaces(cellText);
    // The way spreadsheets are typed: "=1+2" is the expression 1+2.
    if (text.starts_with('=')) text.erase(0, 1);
    const size_t equals = text.find('=');
    if (equals == std::string::npos) return {text, false};
    text.resize(equals);
    return {text, true};
}

}  // namespace app
