#include "grid/provider/odbc/connection_text.h"

#include <algorithm>

namespace grid::odbc {

namespace {

bool sameKey(std::u16string_view a, std::u16string_view b) {
    auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a') : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char16_t x, char16_t y) { return lower(x) == lower(y); });
}

std::u16string_view trimmed(std::u16string_view text) {
    while (!text.empty() && (text.front() == u' ' || text.front() == u'\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == u' ' || text.back() == u'\t')) {
        text.remove_suffix(1);
    }
    return text;
}

bool needsBraces(std::u16string_view value) {
    return value.find_first_of(u";{}") != std::u16string_view::npos || trimmed(value).size() != value.size();
}

}  // namespace

std::vector<ConnectionAttribute> parseConnectionText(std::u16string_view text) {
    std::vector<ConnectionAttribute> result;
    size_t at = 0;
    while (at < text.size()) {
        size_t equals = text.find(u'=', at);
        size_t semicolon = text.find(u';', at);
        if (equals == std::u16string_view::npos || (semicolon != std::u16string_view::npos && semicolon < equals)) {
            // A piece without "=" carries no attribute; skip it.
            at = semicolon == std::u16string_view::npos ? text.size() : semicolon + 1;
            continue;
        }
        ConnectionAttribute attribute{std::u16string(trimmed(text.substr(at, equals - at))), {}};
        size_t valueStart = equals + 1;
        while (valueStart < text.size() && text[valueStart] == u' ') {
            ++valueStart;
        }
        if (valueStart < text.size() && text[valueStart] == u'{') {
            // A braced value runs to the closing brace; "}}" stands for one "}".
            size_t i = valueStart + 1;
            while (i < text.size()) {
                if (text[i] == u'}') {
                    if (i + 1 < text.size() && text[i + 1] == u'}') {
                        attribute.value += u'}';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                attribute.value += text[i++];
            }
            size_t end = text.find(u';', i);
            at = end == std::u16string_view::npos ? text.size() : end + 1;
        } else {
            size_t end = text.find(u';', valueStart);
            size_t valueEnd = end == std::u16string_view::npos ? text.size() : end;
            attribute.value = trimmed(text.substr(valueStart, valueEnd - valueStart));
            at = end == std::u16string_view::npos ? text.size() : end + 1;
        }
        if (!attribute.key.empty()) {
            result.push_back(std::move(attribute));
        }
    }
    return result;
}

std::u16string composeConnectionText(const std::vector<ConnectionAttribute>& attributes) {
    std::u16string text;
    for (const ConnectionAttribute& attribute : attributes) {
        text += attribute.key;
        text += u'=';
        if (needsBraces(attribute.value)) {
            text += u'{';
            for (char16_t c : attribute.value) {
                text += c;
                if (c == u'}') {
                    text += u'}';
                }
            }
            text += u'}';
        } else {
            text += attribute.value;
        }
        text += u';';
    }
    return text;
}

std::u16string attributeValue(std::u16string_view text, std::u16string_view key) {
    for (const ConnectionAttribute& attribute : parseConnectionText(text)) {
        if (sameKey(attribute.key, key)) {
            return attribute.value;
        }
    }
    return {};
}

std::u16string withoutAttributes(std::u16string_view text, const std::vector<std::u16string>& keys) {
    std::vector<ConnectionAttribute> attributes = parseConnectionText(text);
    std::erase_if(attributes, [&](const ConnectionAttribute& attribute) {
        return std::any_of(keys.begin(), keys.end(), [&](const std::u16string& key) { return sameKey(attribute.key, key); });
    });
    return composeConnectionText(attributes);
}

namespace {

const std::vector<std::u16string> kPasswordKeys = {u"PWD", u"PASSWORD"};

std::u16string passwordOf(std::u16string_view text) {
    std::u16string password = attributeValue(text, kPasswordKeys[0]);
    return password.empty() ? attributeValue(text, kPasswordKeys[1]) : password;
}

std::u16string withDriverOf(std::u16string_view completed, std::u16string_view given) {
    if (completed.empty()) {
        return std::u16string(given);
    }
    if (!attributeValue(completed, u"DRIVER").empty() || !attributeValue(completed, u"DSN").empty()) {
        return std::u16string(completed);
    }
    std::vector<ConnectionAttribute> attributes = parseConnectionText(completed);
    std::erase_if(attributes, [](const ConnectionAttribute& attribute) {
        return sameKey(attribute.key, u"DRIVER") || sameKey(attribute.key, u"DSN");
    });
    if (std::u16string driver = attributeValue(given, u"DRIVER"); !driver.empty()) {
        attributes.insert(attributes.begin(), {u"DRIVER", driver});
    } else if (std::u16string dsn = attributeValue(given, u"DSN"); !dsn.empty()) {
        attributes.insert(attributes.begin(), {u"DSN", dsn});
    } else {
        return std::u16string(completed);
    }
    return composeConnectionText(attributes);
}

}  // namespace

std::u16string reopenableText(std::u16string_view completed, std::u16string_view given) {
    std::u16string text = withDriverOf(completed, given);
    std::u16string password = passwordOf(given);
    if (password.empty()) {
        return text;
    }
    std::vector<ConnectionAttribute> attributes = parseConnectionText(withoutAttributes(text, kPasswordKeys));
    attributes.push_back({u"PWD", password});
    return composeConnectionText(attributes);
}

}  // namespace grid::odbc
