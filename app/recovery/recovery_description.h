#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace app {

// What the person is told about a recovery copy: which table it was and when the
// copy was taken. Texts are GBK.
struct RecoveryDescription {
    std::string originalPath;  // the table file the document came from; empty for a new table
    std::string documentName;  // 表格N, or the file's name
    std::string copiedAt;      // local time, "2026-12-09 10:31:05"

    friend bool operator==(const RecoveryDescription&, const RecoveryDescription&) = default;
};

// The description as its file holds it: one "key=value" line each for path, name and
// time. Backslashes and line breaks inside a value are escaped, byte by byte, so a
// file name with a line break, or a GBK character whose second byte is a backslash,
// comes back exactly.
std::string recoveryDescriptionText(const RecoveryDescription& description);
// Nothing when the name or the time is missing; unknown lines are passed over.
std::optional<RecoveryDescription> parseRecoveryDescription(std::string_view text);

// Written atomically; false when it could not be.
bool writeRecoveryDescription(const std::filesystem::path& file, const RecoveryDescription& description);
// Nothing for a missing, oversized or incomplete file.
std::optional<RecoveryDescription> readRecoveryDescription(const std::filesystem::path& file);

// "2026-12-09 10:31:05" in the local time zone.
std::string localTimeText(std::chrono::system_clock::time_point time);

// The question put at start-up: the original file, or 表格N for a table never saved,
// and the time of the copy to the minute.
std::string recoveryQuestion(const RecoveryDescription& description);

}  // namespace app
