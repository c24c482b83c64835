#include "runtime/regex/regex.h"

// A pattern that backtracks without end gives up after this many steps of the
// matcher, so a catastrophic pattern costs a moment on a long text, not minutes. The
// bound only reaches matchers made in this file: the library's own, for plain
// pointers and string iterators, keep theirs. So the text is matched through an
// iterator type that nothing else uses.
#define BOOST_REGEX_MAX_STATE_COUNT 1000000
#include <boost/regex.hpp>
#include <algorithm>
#include <exception>
#include <iterator>
#include <locale>
#include <string>
#include <utility>

namespace rt {

struct Regex::Engine {
    boost::regex pattern;
};

namespace {

using Bytes = std::vector<char>;
using Position = Bytes::const_iterator;
using Match = boost::match_results<Position>;

// The bytes [start - 1, start - 1 + length) of the text as a first index and a count,
// or nothing when they do not lie inside it.
std::optional<std::pair<size_t, size_t>> byteRange(std::string_view text, int32_t start,
                                                   std::optional<int32_t> length) {
    if (start < 1 || static_cast<size_t>(start) > text.size()) return std::nullopt;
    const size_t first = static_cast<size_t>(start) - 1;
    if (length && *length < 0) return std::nullopt;
    const size_t count = length ? static_cast<size_t>(*length) : text.size() - first;
    if (count > text.size() - first) return std::nullopt;
    return std::pair(first, count);
}

SearchResult resultOf(const Match& match, Position textStart) {
    std::vector<SubMatch> entries;
    entries.reserve(match.size());
    for (size_t group = 0; group < match.size(); ++group) {
        const auto& sub = match[static_cast<int>(group)];
        entries.push_back(sub.matched ? SubMatch{static_cast<int32_t>(sub.first - textStart),
                                                 static_cast<int32_t>(sub.length()), true}
                                      : SubMatch{});
    }
    return SearchResult(std::move(entries));
}

// The pattern with each comment group "(?#...)" made an empty group "(?:)": both mean
// nothing to a match and both keep the tokens around them apart, but the parser of
// this engine version loops for ever on a comment that follows a possessive repeat
// ("a?+(?#x)b"), and a person typing a filter condition must never freeze the
// program. Escapes, bracket classes and \Q...\E quotes are passed over byte by byte
// exactly as the engine reads them, so only real comments change.
std::string withoutComments(std::string_view pattern) {
    std::string result;
    result.reserve(pattern.size());
    size_t i = 0;
    auto copyTo = [&](size_t end) {
        result.append(pattern.substr(i, end - i));
        i = end;
    };
    while (i < pattern.size()) {
        const char c = pattern[i];
        if (c == '\\' && pattern.substr(i, 2) == "\\Q") {
            const size_t end = pattern.find("\\E", i + 2);
            copyTo(end == std::string_view::npos ? pattern.size() : end + 2);
        } else if (c == '\\') {
            copyTo(std::min(i + 2, pattern.size()));
        } else if (c == '[') {
            // A "]" right after "[" or "[^" belongs to the class.
            size_t end = i + 1;
            if (end < pattern.size() && pattern[end] == '^') ++end;
            if (end < pattern.size() && pattern[end] == ']') ++end;
            while (end < pattern.size() && pattern[end] != ']') end += pattern[end] == '\\' ? 2 : 1;
            copyTo(std::min(end + 1, pattern.size()));
        } else if (pattern.substr(i, 3) == "(?#" && pattern.find(')', i) != std::string_view::npos) {
            result += "(?:)";
            i = pattern.find(')', i) + 1;
        } else {
            copyTo(i + 1);
        }
    }
    return result;
}

}  // namespace

Regex::Regex() = default;
Regex::~Regex() = default;
Regex::Regex(const Regex&) = default;
Regex& Regex::operator=(const Regex&) = default;

bool Regex::create(std::string_view pattern, bool caseSensitive) {
    engine_.reset();
    try {
        auto engine = std::make_shared<Engine>();
        // The classic locale keeps case folding to the ASCII letters: GBK bytes above
        // 0x7F must never be folded as if they were letters of the user's locale.
        engine->pattern.imbue(std::locale::classic());
        boost::regex::flag_type flags = boost::regex::perl;
        if (!caseSensitive) flags |= boost::regex::icase;
        // The parser of this engine version also looks one byte past a pattern that
        // ends inside a bracket right after a backslash ("[\"): the string gives it a
        // NUL to find there.
        const std::string terminated = withoutComments(pattern);
        engine->pattern.assign(terminated.data(), terminated.data() + terminated.size(), flags);
        engine_ = std::move(engine);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool Regex::match(std::string_view text) const {
    if (!engine_) return false;
    try {
        const Bytes bytes(text.begin(), text.end());
        return boost::regex_match(bytes.begin(), bytes.end(), engine_->pattern);
    } catch (const std::exception&) {
        return false;
    }
}

SearchResult Regex::search(std::string_view text, int32_t start, std::optional<int32_t> length) const {
    std::optional<std::pair<size_t, size_t>> range = byteRange(text, start, length);
    if (!engine_ || !range) return {};
    try {
        const Bytes bytes(text.begin(), text.end());
        const Position first = bytes.begin() + static_cast<ptrdiff_t>(range->first);
        Match match;
        if (!boost::regex_search(first, first + static_cast<ptrdiff_t>(range->second), match, engine_->pattern)) {
            return {};
        }
        return resultOf(match, bytes.begin());
    } catch (const std::exception&) {
        return {};
    }
}

std::vector<SearchResult> Regex::searchAll(std::string_view text) const {
    std::vector<SearchResult> results;
    if (!engine_ || text.empty()) return results;
    const Bytes bytes(text.begin(), text.end());
    const Position begin = bytes.begin();
    const Position end = bytes.end();
    Position from = begin;
    boost::match_flag_type flags = boost::match_default;
    try {
        Match match;
        while (boost::regex_search(from, end, match, engine_->pattern, flags)) {
            results.push_back(resultOf(match, begin));
            const Position matchEnd = match[0].second;
            if (matchEnd == begin) break;
            // An empty match would be found again at the same place: step one byte on.
            if (match[0].first == matchEnd) {
                if (matchEnd == end) break;
                from = matchEnd + 1;
            } else {
                from = matchEnd;
            }
            // What precedes the next search still counts for anchors and \b.
            flags = boost::match_default | boost::match_prev_avail;
        }
    } catch (const std::exception&) {
        // The matches found so far stand.
    }
    return results;
}

std::string Regex::replace(std::string_view text, std::string_view format, int32_t start,
                           std::optional<int32_t> length, bool copyUnmatched, bool replaceAll) const {
    std::optional<std::pair<size_t, size_t>> range = byteRange(text, start, length);
    if (!engine_ || !range) return {};
    boost::match_flag_type flags = boost::format_all;
    if (!copyUnmatched) flags |= boost::format_no_copy;
    if (!replaceAll) flags |= boost::format_first_only;
    try {
        const Bytes bytes(text.begin(), text.end());
        const Position first = bytes.begin() + static_cast<ptrdiff_t>(range->first);
        std::string result;
        boost::regex_replace(std::back_inserter(result), first, first + static_cast<ptrdiff_t>(range->second),
                             engine_->pattern, std::string(format), flags);
        return result;
    } catch (const std::exception&) {
        return {};
    }
}

std::optional<std::string> Regex::replaceMatches(std::string_view text, std::string_view format) const {
    if (!engine_) return std::nullopt;
    try {
        const Bytes bytes(text.begin(), text.end());
        std::string result;
        boost::regex_replace(std::back_inserter(result), bytes.begin(), bytes.end(), engine_->pattern,
                             std::string(format), boost::format_perl);
        return result;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

}  // namespace rt
