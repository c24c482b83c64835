#include "tools/bgetool/command_text.h"

#include <charconv>
#include <limits>
#include <optional>

#include "runtime/platform/gbk_codec.h"
#include "runtime/value/blocks.h"
#include "runtime/value/regular_file.h"

namespace bgetool {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Splits at blanks outside quotes; a quoted token keeps its quotes.
bool splitTokens(std::string_view text, std::vector<std::string_view>& tokens, std::string& error) {
    size_t i = 0;
    while (i < text.size()) {
        if (isBlank(text[i])) {
            ++i;
            continue;
        }
        size_t start = i;
        if (text[i] == '"' || text[i] == '\'') {
            size_t end = text.find(text[i], i + 1);
            if (end == std::string_view::npos) {
                error = "unterminated quote in: " + std::string(text.substr(start));
                return false;
            }
            i = end + 1;
            if (i < text.size() && !isBlank(text[i])) {
                error = "no blank after the quoted text: " + std::string(text.substr(start));
                return false;
            }
        } else {
            while (i < text.size() && !isBlank(text[i])) ++i;
        }
        tokens.push_back(text.substr(start, i - start));
    }
    return true;
}

bool parseInteger(std::string_view token, int64_t& value) {
    bool negative = !token.empty() && token.front() == '-';
    if (negative || (!token.empty() && token.front() == '+')) token.remove_prefix(1);
    int base = 10;
    if (token.size() > 2 && token[0] == '0' && (token[1] == 'x' || token[1] == 'X')) {
        token.remove_prefix(2);
        base = 16;
    }
    uint64_t magnitude = 0;
    auto [end, status] = std::from_chars(token.data(), token.data() + token.size(), magnitude, base);
    if (token.empty() || status != std::errc() || end != token.data() + token.size()) return false;
    if (magnitude > (negative ? uint64_t{1} << 63 : uint64_t(INT64_MAX))) return false;
    value = negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
    return true;
}

// Integers that fit 32 bits, signed or not, travel as integers, so that a colour
// such as 0xFF000000 arrives with its bits; larger ones as long integers.
rt::Value integerValue(int64_t value) {
    if (value >= INT32_MIN && value <= int64_t{UINT32_MAX}) {
        return rt::Value::integer(static_cast<int32_t>(static_cast<uint32_t>(value)));
    }
    return rt::Value::longInteger(value);
}

}  // namespace

bool CommandText::parse(std::string_view text, std::string& error) {
    std::vector<std::string_view> tokens;
    if (!splitTokens(text, tokens, error)) return false;
    if (tokens.empty()) {
        error = "empty command";
        return false;
    }
    name_ = std::string(tokens.front());
    for (size_t i = 1; i < tokens.size(); ++i) {
        if (!parseArgument(tokens[i], error)) return false;
    }
    return true;
}

bool CommandText::parseArgument(std::string_view token, std::string& error) {
    if (token == "_") {
        arguments_.push_back(rt::Value::omitted());
    } else if (token.front() == '"' || token.front() == '\'') {
        texts_.push_back(rt::utf8ToGbk(token.substr(1, token.size() - 2)));
        arguments_.push_back(rt::Value::text(texts_.back().c_str()));
    } else if (token.front() == '@') {
        std::string path(token.substr(1));
        std::optional<std::string> bytes = rt::readRegularFile(path, std::numeric_limits<uint64_t>::max());
        if (!bytes) {
            error = "cannot read " + path + " (a regular file is needed)";
            return false;
        }
        byteSets_.emplace_back(rt::Value::byteSet(rt::makeByteSet(*bytes)));
        arguments_.push_back(rt::Value::byteSet(byteSets_.back().get()));
    } else {
        int64_t value = 0;
        if (!parseInteger(token, value)) {
            error = "not an integer, a quoted text, @file or _: " + std::string(token);
            return false;
        }
        arguments_.push_back(integerValue(value));
    }
    return true;
}

}  // namespace bgetool
