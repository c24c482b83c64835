#include "app/recovery/recovery_description.h"

#include <ctime>
#include <fstream>
#include <iterator>

#include "app/recovery/recovery_folders.h"
#include "grid/format/atomic_file.h"

namespace app {
namespace {

// A description holds two paths' worth of text; anything far larger is not one.
constexpr std::uintmax_t kLargestDescription = 64 * 1024;

void appendEscaped(std::string& out, std::string_view value) {
    for (char c : value) {
        if (c == '\\') {
            out += "\\\\";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else {
            out += c;
        }
    }
}

std::string unescaped(std::string_view value) {
    std::string out;
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            out += value[i];
            continue;
        }
        char next = value[++i];
        out += next == 'n' ? '\n' : next == 'r' ? '\r' : next;
    }
    return out;
}

}  // namespace

std::string recoveryDescriptionText(const RecoveryDescription& description) {
    std::string text = "path=";
    appendEscaped(text, description.originalPath);
    text += "\nname=";
    appendEscaped(text, description.documentName);
    text += "\ntime=";
    appendEscaped(text, description.copiedAt);
    text += '\n';
    return text;
}

std::optional<RecoveryDescription> parseRecoveryDescription(std::string_view text) {
    RecoveryDescription description;
    bool hasName = false;
    bool hasTime = false;
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        size_t equals = line.find('=');
        if (equals == std::string_view::npos) continue;
        std::string_view key = line.substr(0, equals);
        std::string value = unescaped(line.substr(equals + 1));
        if (key == "path") {
            description.originalPath = std::move(value);
        } else if (key == "name") {
            description.documentName = std::move(value);
            hasName = !description.documentName.empty();
        } else if (key == "time") {
            description.copiedAt = std::move(value);
            hasTime = !description.copiedAt.empty();
        }
    }
    if (!hasName || !hasTime) return std::nullopt;
    return description;
}

bool writeRecoveryDescription(const std::filesystem::path& file, const RecoveryDescription& description) {
    grid::AtomicFile out(file.string(), kPrivateFile);
    if (!out.isOpen()) return false;
    std::string text = recoveryDescriptionText(description);
    out.write({reinterpret_cast<const uint8_t*>(text.data()), text.size()});
    return out.commit();
}

std::optional<RecoveryDescription> readRecoveryDescription(const std::filesystem::path& file) {
    std::error_code error;
    std::uintmax_t size = std::filesystem::file_size(file, error);
    if (error || size > kLargestDescription) return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (!in.good() && !in.eof()) return std::nullopt;
    return parseRecoveryDescription(text);
}

std::string localTimeText(std::chrono::system_clock::time_point time) {
    std::time_t seconds = std::chrono::system_clock::to_time_t(time);
    std::tm local{};
    localtime_r(&seconds, &local);
    char text[32];
    size_t length = std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return std::string(text, length);
}

// Full-width quotation marks and parentheses, as the other questions of the program
// quote a file; the seconds are left out, the minute is what a person remembers.
std::string recoveryQuestion(const RecoveryDescription& description) {
    const std::string& table = description.originalPath.empty() ? description.documentName : description.originalPath;
    std::string_view minute = std::string_view(description.copiedAt).substr(0, 16);
    return "发现未保存的表格“" + table + "”（" + std::string(minute) + "），是否恢复？";
}

}  // namespace app
