#include "app/database/connection_text.h"

#include <algorithm>
#include <cctype>

namespace app {
namespace {

bool sameKey(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

bool isPasswordKey(std::string_view key) { return sameKey(key, "PWD") || sameKey(key, "Password"); }
bool isUserKey(std::string_view key) {
    return sameKey(key, "UID") || sameKey(key, "User") || sameKey(key, "Username") || sameKey(key, "UserName");
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

// One attribute from position `at`: its key, value and the text it spans (up to,
// not including, the ";" that ends it).
struct Piece {
    ConnectionAttribute attribute;
    size_t begin = 0;
    size_t end = 0;
};

Piece pieceAt(std::string_view text, size_t at) {
    Piece piece;
    piece.begin = at;
    size_t equals = at;
    while (equals < text.size() && text[equals] != '=' && text[equals] != ';') ++equals;
    piece.attribute.key = std::string(trimmed(text.substr(at, equals - at)));
    if (equals >= text.size() || text[equals] == ';') {
        piece.end = equals;
        return piece;
    }
    size_t value = equals + 1;
    while (value < text.size() && text[value] == ' ') ++value;
    if (value < text.size() && text[value] == '{') {
        // A braced value ends at a single "}"; "}}" stands for one "}".
        size_t i = value + 1;
        for (; i < text.size(); ++i) {
            if (text[i] != '}') {
                piece.attribute.value += text[i];
            } else if (i + 1 < text.size() && text[i + 1] == '}') {
                piece.attribute.value += '}';
                ++i;
            } else {
                break;
            }
        }
        size_t end = std::min(i + 1, text.size());
        while (end < text.size() && text[end] != ';') ++end;
        piece.end = end;
        return piece;
    }
    size_t end = value;
    while (end < text.size() && text[end] != ';') ++end;
    piece.attribute.value = std::string(trimmed(text.substr(value, end - value)));
    piece.end = end;
    return piece;
}

std::vector<Piece> pieces(std::string_view text) {
    std::vector<Piece> result;
    for (size_t at = 0; at < text.size();) {
        Piece piece = pieceAt(text, at);
        if (!piece.attribute.key.empty()) result.push_back(piece);
        at = piece.end + 1;
    }
    return result;
}

}  // namespace

std::vector<ConnectionAttribute> connectionAttributes(std::string_view text) {
    std::vector<ConnectionAttribute> result;
    for (Piece& piece : pieces(text)) result.push_back(std::move(piece.attribute));
    return result;
}

bool hasPassword(std::string_view text) {
    const std::vector<Piece> all = pieces(text);
    return std::any_of(all.begin(), all.end(), [](const Piece& piece) { return isPasswordKey(piece.attribute.key); });
}

bool needsPassword(std::string_view text) {
    const std::vector<Piece> all = pieces(text);
    const bool user = std::any_of(all.begin(), all.end(), [](const Piece& piece) {
        return isUserKey(piece.attribute.key) && !piece.attribute.value.empty();
    });
    return user && !hasPassword(text);
}

std::string withoutPassword(std::string_view text) {
    std::string result;
    for (const Piece& piece : pieces(text)) {
        if (isPasswordKey(piece.attribute.key)) continue;
        result.append(trimmed(text.substr(piece.begin, piece.end - piece.begin)));
        result += ';';
    }
    return result;
}

std::string withPassword(std::string_view text, std::string_view password) {
    std::string result = withoutPassword(text);
    result += "PWD={";
    for (char c : password) {
        result += c;
        if (c == '}') result += '}';
    }
    result += "};";
    return result;
}

}  // namespace app
