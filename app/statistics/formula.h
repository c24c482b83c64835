#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace app {

// Arithmetic typed into a cell, such as 12*(3+4)= or [2+3]/5: + - * / with the usual
// precedence, unary signs, parentheses and square brackets. Numbers may have an
// exponent (1.5E-3, 2e+10). Spaces are ignored; bytes that are neither digits, ".",
// operators nor brackets are skipped inside a number (1,000+1 reads as 1000+1), and
// Chinese characters are skipped whole. The value is written as resultText writes
// it; 1/0 gives "inf".
// A text without any operator or bracket is its own result; a malformed expression
// gives nothing.
std::optional<std::string> evaluateFormula(std::string_view text);

// Brackets deeper than this are refused as malformed rather than followed, so that a
// text of a million "(" cannot exhaust the stack.
inline constexpr int kMaximumFormulaDepth = 256;

// One cell of the formula command: the cell's text without spaces and without one
// leading "=", split at its next "=" into the expression and an earlier result, which
// a new run replaces.
struct FormulaCell {
    std::string expression;
    bool hadEquals = false;
};
FormulaCell formulaCellOf(std::string_view cellText);

}  // namespace app
