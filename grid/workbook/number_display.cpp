#include "grid/workbook/number_display.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace grid::workbook {
namespace {

// An office suite keeps at most 255 characters in a code; a much longer code did not
// come from one, and refusing it bounds the work a hostile file can ask for.
constexpr size_t kMaxCodeBytes = 1024;
// A sheet number holds 15 significant digits; the digits beyond are noise of the binary
// fraction, so 2.345 rounds to 2.35 and 0.1 + 0.2 shows 0.3.
constexpr int kSignificantDigits = 15;
// General fits a number in the characters a column of standard width shows.
constexpr int kGeneralWidth = 11;
// A code holds a positive, a negative, a zero and a text section at most.
constexpr size_t kMaxSections = 4;
// 1904-01-01, where the 1904 date system counts from, as a day of the table's dates.
constexpr double kDate1904Epoch = 1462;

std::string_view utf8(const char8_t* text) {
    return reinterpret_cast<const char*>(text);
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        if (lower(text[i]) != lower(prefix[i]))
            return false;
    }
    return true;
}

// Bytes of the UTF-8 character that starts with this byte, so that an escaped Chinese
// character stays whole.
size_t characterLength(std::string_view text, size_t at) {
    auto lead = static_cast<unsigned char>(text[at]);
    size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    return std::min(length, text.size() - at);
}

// A magnitude as decimal digits: 0.digits times ten to the power point, without
// trailing zeros; zero has no digits.
struct Decimal {
    std::string digits;
    int point = 0;
};

void dropTrailingZeros(Decimal& decimal) {
    size_t last = decimal.digits.find_last_not_of('0');
    decimal.digits.resize(last == std::string::npos ? 0 : last + 1);
    if (decimal.digits.empty())
        decimal.point = 0;
}

Decimal decimalOf(double magnitude) {
    Decimal decimal;
    if (magnitude == 0)
        return decimal;
    char buffer[40];
    auto written = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                 std::chars_format::scientific, kSignificantDigits - 1);
    std::string_view text(buffer, static_cast<size_t>(written.ptr - buffer));
    size_t exponentAt = text.find('e');
    for (char c : text.substr(0, exponentAt)) {
        if (isDigit(c))
            decimal.digits += c;
    }
    std::string_view exponentDigits = text.substr(exponentAt + 2);
    int exponent = 0;
    std::from_chars(exponentDigits.data(), exponentDigits.data() + exponentDigits.size(), exponent);
    decimal.point = (text[exponentAt + 1] == '-' ? -exponent : exponent) + 1;
    dropTrailingZeros(decimal);
    return decimal;
}

// Rounds half away from zero to this many digits after the point, as office suites
// round for display.
void roundTo(Decimal& decimal, int decimals) {
    long keep = static_cast<long>(decimal.point) + decimals;
    if (keep >= static_cast<long>(decimal.digits.size()))
        return;
    if (keep < 0) {
        decimal = {};
        return;
    }
    bool up = decimal.digits[static_cast<size_t>(keep)] >= '5';
    decimal.digits.resize(static_cast<size_t>(keep));
    if (up) {
        size_t end = decimal.digits.find_last_not_of('9');
        if (end == std::string::npos) {
            // All nines carry into a new leading digit: 0.999 becomes 1.00.
            decimal.digits = "1";
            decimal.point += 1;
        } else {
            decimal.digits.resize(end + 1);
            decimal.digits[end] += 1;
        }
    }
    dropTrailingZeros(decimal);
}

std::string integerDigits(const Decimal& decimal) {
    if (decimal.point <= 0)
        return {};
    auto length = static_cast<size_t>(decimal.point);
    std::string digits = decimal.digits.substr(0, length);
    digits.append(length - digits.size(), '0');
    return digits;
}

std::string fractionDigits(const Decimal& decimal, int count) {
    std::string digits;
    for (int i = 0; i < count; ++i) {
        long index = static_cast<long>(decimal.point) + i;
        bool held = index >= 0 && index < static_cast<long>(decimal.digits.size());
        digits += held ? decimal.digits[static_cast<size_t>(index)] : '0';
    }
    return digits;
}

// The decimal without its trailing zeros: "12", "0.5", "1234.5678".
std::string plainText(const Decimal& decimal) {
    std::string text = integerDigits(decimal);
    if (text.empty())
        text = "0";
    int fraction = static_cast<int>(decimal.digits.size()) - std::max(decimal.point, 0);
    if (fraction > 0)
        text += '.' + fractionDigits(decimal, fraction);
    return text;
}

std::string exponentText(int exponent) {
    std::string digits = std::to_string(std::abs(exponent));
    return std::string(exponent < 0 ? "E-" : "E+") + (digits.size() < 2 ? "0" : "") + digits;
}

// General: fixed notation when the number fits the width, unless scientific notation
// keeps more of its digits (1E-10 instead of 0); scientific for 12 and more integer
// digits (1.23457E+11).
std::string generalText(const Decimal& exact) {
    if (exact.digits.empty())
        return "0";
    int exponent = exact.point - 1;
    Decimal mantissa = exact;
    mantissa.point = 1;
    roundTo(mantissa,
            std::max(0, kGeneralWidth - 2 - static_cast<int>(exponentText(exponent).size())));
    if (mantissa.point > 1) {
        exponent += mantissa.point - 1;
        mantissa.point = 1;
    }
    int integerLength = std::max(exact.point, 1);
    if (integerLength <= kGeneralWidth) {
        Decimal fixed = exact;
        roundTo(fixed, std::max(0, kGeneralWidth - integerLength - 1));
        bool fits = std::max(fixed.point, 1) <= kGeneralWidth;
        if (fits && !fixed.digits.empty() && fixed.digits.size() >= mantissa.digits.size())
            return plainText(fixed);
    }
    return plainText(mantissa) + exponentText(exponent);
}

std::string signedGeneralText(double value) {
    std::string text = generalText(decimalOf(std::fabs(value)));
    return value < 0 ? "-" + text : text;
}

// The sections of a code, split at the semicolons outside quotes, brackets and escapes.
// Nothing when the code is malformed: an open quote or bracket, a dangling escape, too
// many sections.
std::optional<std::vector<std::string_view>> sectionsOf(std::string_view code) {
    std::vector<std::string_view> sections;
    size_t start = 0;
    size_t i = 0;
    while (i < code.size()) {
        char c = code[i];
        if (c == '"' || c == '[') {
            size_t close = code.find(c == '"' ? '"' : ']', i + 1);
            if (close == std::string_view::npos)
                return std::nullopt;
            i = close + 1;
        } else if (c == '\\' || c == '_' || c == '*') {
            if (i + 1 == code.size())
                return std::nullopt;
            i += 1 + characterLength(code, i + 1);
        } else if (c == ';') {
            if (sections.size() + 1 == kMaxSections)
                return std::nullopt;
            sections.push_back(code.substr(start, i - start));
            start = ++i;
        } else {
            ++i;
        }
    }
    sections.push_back(code.substr(start));
    return sections;
}

enum class Part { Literal, Digit, Point, Comma, Percent, Exponent, General };

struct Token {
    Part part = Part::Literal;
    // The literal's text, the digit placeholder ('0', '#', '?'), or the exponent's
    // letter and sign ("E+", "e-").
    std::string text;
};

struct Section {
    std::vector<Token> tokens;
    bool date = false;
    // Something this reader does not show, such as a fraction.
    bool unsupported = false;
};

void addLiteral(Section& section, std::string_view text) {
    if (section.tokens.empty() || section.tokens.back().part != Part::Literal)
        section.tokens.push_back({Part::Literal, {}});
    section.tokens.back().text += text;
}

// A bracket holds a colour, a condition, a locale with an optional currency symbol
// ("[$-804]", "[$USD-409]"), or an elapsed time ("[h]", "[mm]").
void readBracket(Section& section, std::string_view content) {
    if (!content.empty() && content[0] == '$') {
        addLiteral(section, content.substr(1, content.find('-') - 1));
        return;
    }
    char unit = content.empty() ? '\0' : lower(content[0]);
    bool elapsed = unit == 'h' || unit == 'm' || unit == 's';
    for (char c : content)
        elapsed = elapsed && lower(c) == unit;
    if (elapsed)
        section.date = true;
}

Section parseSection(std::string_view text) {
    static const std::string_view chineseGeneral = utf8(u8"G/通用格式");
    Section section;
    bool slash = false;
    bool digits = false;
    size_t i = 0;
    while (i < text.size()) {
        std::string_view rest = text.substr(i);
        char c = text[i];
        char letter = lower(c);
        if (c == '"') {
            size_t close = std::min(text.find('"', i + 1), text.size());
            addLiteral(section, text.substr(i + 1, close - i - 1));
            i = close + 1;
        } else if (c == '[') {
            size_t close = std::min(text.find(']', i + 1), text.size());
            readBracket(section, text.substr(i + 1, close - i - 1));
            i = close + 1;
        } else if (c == '\\' || c == '_' || c == '*') {
            size_t length = i + 1 < text.size() ? characterLength(text, i + 1) : 0;
            // An underscore leaves room as wide as the next character, a space in text;
            // an asterisk fills the column with its character, which text has no room for.
            if (c == '\\')
                addLiteral(section, text.substr(i + 1, length));
            else if (c == '_')
                addLiteral(section, " ");
            i += 1 + length;
        } else if (startsWithNoCase(rest, "General") || rest.starts_with(chineseGeneral)) {
            section.tokens.push_back({Part::General, {}});
            i += startsWithNoCase(rest, "General") ? 7 : chineseGeneral.size();
        } else if (startsWithNoCase(rest, "AM/PM") || startsWithNoCase(rest, "A/P")) {
            section.date = true;
            i += startsWithNoCase(rest, "AM/PM") ? 5 : 3;
        } else if (std::string_view("ymdhs").find(letter) != std::string_view::npos) {
            section.date = true;
            ++i;
        } else if (c == '0' || c == '#' || c == '?') {
            section.tokens.push_back({Part::Digit, std::string(1, c)});
            digits = true;
            ++i;
        } else if (letter == 'e' && rest.size() > 1 && (rest[1] == '+' || rest[1] == '-')) {
            section.tokens.push_back({Part::Exponent, std::string(rest.substr(0, 2))});
            i += 2;
        } else if (c == '.') {
            section.tokens.push_back({Part::Point, {}});
            ++i;
        } else if (c == ',') {
            section.tokens.push_back({Part::Comma, {}});
            ++i;
        } else if (c == '%') {
            section.tokens.push_back({Part::Percent, {}});
            ++i;
        } else if (c == '@') {
            section.tokens.push_back({Part::General, {}});
            ++i;
        } else {
            slash = slash || c == '/';
            addLiteral(section, text.substr(i, 1));
            ++i;
        }
    }
    // Digits around a slash make a fraction ("# ?/?"), which is not shown here.
    section.unsupported = slash && digits;
    return section;
}

// The parts of a number section once its commas are read: a comma between integer
// digits groups thousands, a comma after the last digit divides by a thousand.
struct NumberLayout {
    size_t integerEnd = 0;
    size_t exponentAt = 0;
    int integerDigits = 0;
    int fractionDigits = 0;
    int exponentDigits = 0;
    bool grouping = false;
    int shift = 0;
    bool general = false;
    bool hasPoint = false;
    bool hasExponent = false;
};

std::optional<NumberLayout> layoutOf(std::vector<Token>& tokens) {
    NumberLayout layout;
    layout.integerEnd = tokens.size();
    for (size_t k = 0; k < tokens.size(); ++k) {
        Part part = tokens[k].part;
        if (part == Part::Exponent && layout.hasExponent)
            return std::nullopt;
        if ((part == Part::Point && !layout.hasPoint && !layout.hasExponent) ||
            part == Part::Exponent) {
            layout.integerEnd = std::min(layout.integerEnd, k);
            layout.hasPoint = layout.hasPoint || part == Part::Point;
            if (part == Part::Exponent) {
                layout.hasExponent = true;
                layout.exponentAt = k;
            }
        } else if (part == Part::Point) {
            tokens[k] = {Part::Literal, "."};
        }
        if (part == Part::Digit) {
            int& count = layout.hasExponent ? layout.exponentDigits
                         : layout.hasPoint  ? layout.fractionDigits
                                            : layout.integerDigits;
            ++count;
        }
        if (part == Part::Percent)
            layout.shift += 2;
        layout.general = layout.general || part == Part::General;
    }
    int digitsSeen = 0;
    bool scaling = false;
    for (size_t k = 0; k < tokens.size(); ++k) {
        Token& token = tokens[k];
        bool afterDigit = k > 0 && (tokens[k - 1].part == Part::Digit || scaling);
        scaling = false;
        if (token.part == Part::Digit && k < layout.integerEnd)
            ++digitsSeen;
        if (token.part != Part::Comma)
            continue;
        if (k < layout.integerEnd && digitsSeen > 0 && digitsSeen < layout.integerDigits) {
            layout.grouping = true;
            token = {Part::Literal, {}};
        } else if (afterDigit) {
            layout.shift -= 3;
            scaling = true;
            token = {Part::Literal, {}};
        } else {
            token = {Part::Literal, ","};
        }
    }
    bool anyDigits = layout.integerDigits + layout.fractionDigits + layout.exponentDigits > 0;
    if (layout.general && anyDigits)
        return std::nullopt;
    if (layout.hasExponent && (layout.integerDigits == 0 || layout.exponentDigits == 0))
        return std::nullopt;
    return layout;
}

// Digit strings for each placeholder of one part, right-aligned: the leftmost
// placeholder takes the digits that do not fit, a placeholder without a digit shows
// "0" for '0', a space for '?' and nothing for '#'.
std::vector<std::string> fillRightAligned(const std::vector<char>& placeholders,
                                          const std::string& digits) {
    std::vector<std::string> filled(placeholders.size());
    long offset = static_cast<long>(digits.size()) - static_cast<long>(placeholders.size());
    for (size_t p = 0; p < placeholders.size(); ++p) {
        long index = static_cast<long>(p) + offset;
        if (p == 0 && offset > 0) {
            filled[p] = digits.substr(0, static_cast<size_t>(offset) + 1);
        } else if (index >= 0) {
            filled[p] = std::string(1, digits[static_cast<size_t>(index)]);
        } else {
            filled[p] = placeholders[p] == '0' ? "0" : placeholders[p] == '?' ? " " : "";
        }
    }
    return filled;
}

// Fraction digits left-aligned; zeros at the end show nothing under '#' and a space
// under '?'.
std::vector<std::string> fillFraction(const std::vector<char>& placeholders,
                                      const std::string& digits) {
    std::vector<std::string> filled(placeholders.size());
    bool trailing = true;
    for (size_t p = placeholders.size(); p-- > 0;) {
        trailing = trailing && digits[p] == '0' && placeholders[p] != '0';
        filled[p] = !trailing ? std::string(1, digits[p]) : placeholders[p] == '?' ? " " : "";
    }
    return filled;
}

// A piece of a number's integer part: the digits a placeholder shows, or literal text.
struct IntegerPiece {
    std::string text;
    bool digits = false;
};

// The integer part, with thousands separators between the digits its placeholders show
// when the code groups them, counted from the right across any literal text inside.
std::string joinIntegerPart(const std::vector<IntegerPiece>& pieces, bool grouping) {
    std::string reversed;
    int digitsRight = 0;
    for (size_t p = pieces.size(); p-- > 0;) {
        const std::string& text = pieces[p].text;
        for (size_t i = text.size(); i-- > 0;) {
            bool digit = pieces[p].digits && isDigit(text[i]);
            if (grouping && digit && digitsRight > 0 && digitsRight % 3 == 0)
                reversed += ',';
            digitsRight += digit ? 1 : 0;
            reversed += text[i];
        }
    }
    return {reversed.rbegin(), reversed.rend()};
}

std::optional<std::string> numberText(std::vector<Token> tokens, double magnitude) {
    std::optional<NumberLayout> layout = layoutOf(tokens);
    if (!layout)
        return std::nullopt;
    Decimal exact = decimalOf(magnitude);
    if (!exact.digits.empty())
        exact.point += layout->shift;
    Decimal value = exact;

    int exponent = 0;
    if (layout->hasExponent && !value.digits.empty()) {
        bool engineering = false;
        for (size_t k = 0; k < layout->integerEnd; ++k)
            engineering = engineering || (tokens[k].part == Part::Digit && tokens[k].text == "#");
        // With '#' among several integer places the exponent is a multiple of their
        // count ("##0.0E+0" shows 12.3E+3); otherwise the integer places are all filled.
        int step = engineering && layout->integerDigits > 1 ? layout->integerDigits : 1;
        int magnitudeExponent = value.point - 1;
        exponent = step > 1 ? magnitudeExponent - ((magnitudeExponent % step) + step) % step
                            : magnitudeExponent - (layout->integerDigits - 1);
        value.point -= exponent;
        roundTo(value, layout->fractionDigits);
        int allowed = step > 1 ? step : layout->integerDigits;
        if (value.point > allowed) {
            exponent += step;
            value.point -= step;
        }
    } else {
        roundTo(value, layout->fractionDigits);
    }

    std::vector<char> integerPlaces;
    std::vector<char> fractionPlaces;
    std::vector<char> exponentPlaces;
    for (size_t k = 0; k < tokens.size(); ++k) {
        if (tokens[k].part != Part::Digit)
            continue;
        bool inExponent = layout->hasExponent && k > layout->exponentAt;
        std::vector<char>& places = k < layout->integerEnd ? integerPlaces
                                    : inExponent           ? exponentPlaces
                                                           : fractionPlaces;
        places.push_back(tokens[k].text[0]);
    }
    std::string integers = integerDigits(value);
    std::vector<std::string> integerFill = fillRightAligned(integerPlaces, integers);
    std::vector<std::string> fractionFill =
        fillFraction(fractionPlaces, fractionDigits(value, layout->fractionDigits));
    std::vector<std::string> exponentFill =
        fillRightAligned(exponentPlaces, std::to_string(std::abs(exponent)));

    std::vector<IntegerPiece> integerPieces;
    std::string text;
    size_t integerIndex = 0;
    size_t fractionIndex = 0;
    size_t exponentIndex = 0;
    for (size_t k = 0; k < tokens.size(); ++k) {
        if (k == layout->integerEnd) {
            text = joinIntegerPart(integerPieces, layout->grouping);
            // A code without integer places still shows the integer digits before its point.
            if (integerPlaces.empty())
                text += integers;
        }
        const Token& token = tokens[k];
        std::string piece;
        switch (token.part) {
            case Part::Literal:
                piece = token.text;
                break;
            case Part::Digit:
                if (k < layout->integerEnd)
                    piece = integerFill[integerIndex++];
                else if (layout->hasExponent && k > layout->exponentAt)
                    piece = exponentFill[exponentIndex++];
                else
                    piece = fractionFill[fractionIndex++];
                break;
            case Part::Point:
                piece = ".";
                break;
            case Part::Percent:
                piece = "%";
                break;
            case Part::Exponent:
                piece = token.text[0];
                if (exponent < 0)
                    piece += '-';
                else if (token.text[1] == '+')
                    piece += '+';
                break;
            case Part::General:
                piece = generalText(exact);
                break;
            case Part::Comma:
                break;
        }
        if (k < layout->integerEnd)
            integerPieces.push_back({std::move(piece), token.part == Part::Digit});
        else
            text += piece;
    }
    if (layout->integerEnd == tokens.size())
        text = joinIntegerPart(integerPieces, layout->grouping);
    return text;
}

// A serial day of the workbook as a day of the table's dates, which count from
// 1899-12-30 as the 1900 date system does from 1900-03-01 on. Before that the 1900
// system counts a 29 February 1900 that never was, so serial 1 is 1900-01-01 where the
// table counts day 2; serial 60, the day that never was, shows as 28 February. A value
// below 1 is a time of day alone in either system.
double tableDateOf(double serial, bool date1904) {
    if (serial >= 0 && serial < 1)
        return serial;
    if (date1904)
        return serial + kDate1904Epoch;
    if (serial >= 1 && serial < 60)
        return serial + 1;
    return serial;
}

}  // namespace

std::string_view builtinNumberFormat(uint32_t id) {
    switch (id) {
        case 0:
            return "General";
        case 1:
            return "0";
        case 2:
            return "0.00";
        case 3:
            return "#,##0";
        case 4:
            return "#,##0.00";
        case 9:
            return "0%";
        case 10:
            return "0.00%";
        case 11:
            return "0.00E+00";
        case 14:
            return "yyyy/m/d";
        case 15:
            return "d-mmm-yy";
        case 16:
            return "d-mmm";
        case 17:
            return "mmm-yy";
        case 18:
            return "h:mm AM/PM";
        case 19:
            return "h:mm:ss AM/PM";
        case 20:
            return "h:mm";
        case 21:
            return "h:mm:ss";
        case 22:
            return "yyyy/m/d h:mm";
        case 27:
        case 36:
        case 50:
        case 52:
        case 57:
            return utf8(u8"yyyy\"年\"m\"月\"");
        case 28:
        case 29:
        case 51:
        case 53:
        case 54:
        case 58:
            return utf8(u8"m\"月\"d\"日\"");
        case 30:
            return "m-d-yy";
        case 31:
            return utf8(u8"yyyy\"年\"m\"月\"d\"日\"");
        case 32:
            return utf8(u8"h\"时\"mm\"分\"");
        case 33:
            return utf8(u8"h\"时\"mm\"分\"ss\"秒\"");
        case 34:
        case 55:
            return utf8(u8"上午/下午h\"时\"mm\"分\"");
        case 35:
        case 56:
            return utf8(u8"上午/下午h\"时\"mm\"分\"ss\"秒\"");
        case 37:
            return "#,##0 ;(#,##0)";
        case 38:
            return "#,##0 ;[Red](#,##0)";
        case 39:
            return "#,##0.00;(#,##0.00)";
        case 40:
            return "#,##0.00;[Red](#,##0.00)";
        case 45:
            return "mm:ss";
        case 46:
            return "[h]:mm:ss";
        case 47:
            return "mm:ss.0";
        case 48:
            return "##0.0E+0";
        case 49:
            return "@";
        default:
            return {};
    }
}

ShownNumber showNumber(double value, std::string_view code, bool date1904) {
    if (!std::isfinite(value))
        return {"#NUM!", std::nullopt};
    auto general = [value] { return ShownNumber{signedGeneralText(value), std::nullopt}; };
    if (code.empty() || code.size() > kMaxCodeBytes)
        return general();
    std::optional<std::vector<std::string_view>> sections = sectionsOf(code);
    if (!sections)
        return general();
    // Negative values take the second section and zero the third when the code has
    // them; a section of its own shows the value without a minus sign.
    size_t index = 0;
    if (value < 0 && sections->size() >= 2)
        index = 1;
    else if (value == 0 && sections->size() >= 3)
        index = 2;
    Section section = parseSection((*sections)[index]);
    if (section.date)
        return {{}, rt::datePartsOf(tableDateOf(value, date1904))};
    if (section.unsupported)
        return general();
    std::optional<std::string> text = numberText(std::move(section.tokens), std::fabs(value));
    if (!text)
        return general();
    // The section is picked by the value before rounding, and a single section shows
    // negatives with a minus in front: -0.004 under "0.00" shows "-0.00", as office
    // suites show it, and under "0.00;(0.00)" shows "(0.00)".
    bool minus = value < 0 && sections->size() == 1;
    return {minus ? "-" + *text : *text, std::nullopt};
}

}  // namespace grid::workbook
