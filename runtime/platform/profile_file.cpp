#include "runtime/platform/profile_file.h"

#include <QFile>
#include <QSaveFile>
#include <QString>
#include <filesystem>
#include <cstdio>
#include <optional>
#include <system_error>
#include <vector>

#include "runtime/platform/gbk_codec.h"

namespace rt {
namespace {

// One line of the file: its text and the ending it had ("\r\n", "\n" or none).
struct Line {
    std::string text;
    std::string ending;
};

std::vector<Line> splitLines(const std::string& bytes) {
    std::vector<Line> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t newline = bytes.find('\n', start);
        if (newline == std::string::npos) {
            lines.push_back({bytes.substr(start), ""});
            break;
        }
        size_t textEnd = newline > start && bytes[newline - 1] == '\r' ? newline - 1 : newline;
        lines.push_back({bytes.substr(start, textEnd - start), bytes.substr(textEnd, newline + 1 - textEnd)});
        start = newline + 1;
    }
    return lines;
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool sameName(std::string_view a, std::string_view b) {
    return fromGbk(a).compare(fromGbk(b), Qt::CaseInsensitive) == 0;
}

// The name of a "[section]" line, or nothing for other lines. The closing bracket is
// searched character by character: 0x5D is also a GBK trail byte.
std::optional<std::string_view> sectionNameOf(std::string_view line) {
    line = trimBlanks(line);
    if (line.empty() || line.front() != '[') return std::nullopt;
    for (size_t i = 1; i < line.size(); ++i) {
        auto byte = static_cast<uint8_t>(line[i]);
        if (byte >= 0x81 && byte <= 0xFE && i + 1 < line.size()) {
            ++i;
        } else if (line[i] == ']') {
            return trimBlanks(line.substr(1, i - 1));
        }
    }
    return trimBlanks(line.substr(1));
}

struct KeyLine {
    std::string_view key;
    std::string_view value;
};

std::optional<KeyLine> keyLineOf(std::string_view line) {
    std::string_view trimmed = trimBlanks(line);
    if (trimmed.empty() || trimmed.front() == ';') return std::nullopt;
    size_t equals = line.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    return KeyLine{trimBlanks(line.substr(0, equals)), trimBlanks(line.substr(equals + 1))};
}

std::string_view unquoted(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

std::string storedForm(std::string_view value) {
    std::string stored(value);
    for (char& c : stored) {
        if (c == '\r' || c == '\n') c = ' ';
    }
    bool needsQuotes = !stored.empty() && (isBlank(stored.front()) || isBlank(stored.back()) ||
                                           stored.front() == '"' || stored.front() == '\'' ||
                                           stored.back() == '"' || stored.back() == '\'');
    return needsQuotes ? "\"" + stored + "\"" : stored;
}

// Nothing when the file cannot be read (missing, a directory, no permission).
std::optional<std::string> readFile(const std::filesystem::path& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return std::nullopt;
    std::string bytes;
    char buffer[4096];
    size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, count);
    bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) return std::nullopt;
    return bytes;
}

// Lines [first, last) of the section's body, or nothing when the section is missing.
struct SectionBody {
    size_t first;
    size_t last;
};

std::optional<SectionBody> findSection(const std::vector<Line>& lines, std::string_view section) {
    for (size_t i = 0; i < lines.size(); ++i) {
        auto name = sectionNameOf(lines[i].text);
        if (!name || !sameName(*name, section)) continue;
        size_t end = i + 1;
        while (end < lines.size() && !sectionNameOf(lines[end].text)) ++end;
        return SectionBody{i + 1, end};
    }
    return std::nullopt;
}

std::optional<size_t> findKey(const std::vector<Line>& lines, SectionBody body, std::string_view key) {
    for (size_t i = body.first; i < body.last; ++i) {
        auto keyLine = keyLineOf(lines[i].text);
        if (keyLine && sameName(keyLine->key, key)) return i;
    }
    return std::nullopt;
}

}  // namespace

std::string ProfileFile::read(std::string_view section, std::string_view key, std::string_view fallback) const {
    auto bytes = readFile(path_);
    if (!bytes) return std::string(fallback);
    std::vector<Line> lines = splitLines(*bytes);
    auto body = findSection(lines, section);
    if (!body) return std::string(fallback);
    auto index = findKey(lines, *body, key);
    if (!index) return std::string(fallback);
    return std::string(unquoted(keyLineOf(lines[*index].text)->value));
}

bool ProfileFile::write(std::string_view section, std::string_view key, std::string_view value) const {
    std::vector<Line> lines = splitLines(readFile(path_).value_or(""));
    // New lines end the way the file's first line does; a new file gets CR LF, as
    // settings files have always had, so the file reads the same everywhere.
    std::string ending = !lines.empty() && !lines.front().ending.empty() ? lines.front().ending : "\r\n";
    std::string keyText = std::string(key) + "=" + storedForm(value);

    auto body = findSection(lines, section);
    if (!body) {
        if (!lines.empty() && lines.back().ending.empty()) lines.back().ending = ending;
        lines.push_back({"[" + std::string(section) + "]", ending});
        lines.push_back({keyText, ending});
    } else if (auto index = findKey(lines, *body, key)) {
        lines[*index].text = keyText;
    } else {
        // After the section's last non-blank line, so blank separators stay at its end.
        size_t insertAt = body->last;
        while (insertAt > body->first && trimBlanks(lines[insertAt - 1].text).empty()) --insertAt;
        if (insertAt > 0 && lines[insertAt - 1].ending.empty()) lines[insertAt - 1].ending = ending;
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt), Line{keyText, ending});
    }

    std::string contents;
    for (const Line& line : lines) contents += line.text + line.ending;

    std::error_code ignored;
    if (path_.has_parent_path()) std::filesystem::create_directories(path_.parent_path(), ignored);
    QSaveFile file(QFile::decodeName(QByteArray::fromStdString(path_.string())));
    if (!file.open(QIODevice::WriteOnly)) return false;
    file.write(contents.data(), static_cast<qint64>(contents.size()));
    return file.commit();
}

}  // namespace rt
