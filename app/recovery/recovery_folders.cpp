#include "app/recovery/recovery_folders.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <string>

namespace app {
namespace fs = std::filesystem;

namespace {

// Enough for every process started in the same millisecond with the same id, which
// only happens when a folder of that name is left from an earlier boot.
constexpr int kFolderNameAttempts = 100;

std::optional<fs::path> absolutePath(const char* text) {
    if (!text || !*text) return std::nullopt;
    fs::path path(text);
    if (!path.is_absolute()) return std::nullopt;
    return path;
}

// Folders made before they were private become private; a folder of someone else's
// (or a link in its place) is not used at all.
bool isPrivateFolder(const fs::path& folder) {
    struct stat status;
    if (::lstat(folder.c_str(), &status) != 0 || !S_ISDIR(status.st_mode) || status.st_uid != ::geteuid()) {
        return false;
    }
    return (status.st_mode & 0777) == kPrivateFolderMode || ::chmod(folder.c_str(), kPrivateFolderMode) == 0;
}

}  // namespace

std::optional<fs::path> recoveryRoot(const char* stateHome, const char* home) {
    std::optional<fs::path> base = absolutePath(stateHome);
    if (!base) {
        std::optional<fs::path> homePath = absolutePath(home);
        if (!homePath) return std::nullopt;
        base = *homePath / ".local" / "state";
    }
    return *base / "biaoge" / "recovery";
}

std::optional<fs::path> recoveryRoot() { return recoveryRoot(std::getenv("XDG_STATE_HOME"), std::getenv("HOME")); }

std::optional<fs::path> makeOwnFolder(const fs::path& root, int64_t processId, int64_t startMilliseconds,
                                      FolderClaims& claims) {
    std::error_code error;
    fs::create_directories(root.parent_path(), error);
    if (error) return std::nullopt;
    ::mkdir(root.c_str(), kPrivateFolderMode);
    if (!isPrivateFolder(root)) return std::nullopt;
    std::string stem = std::to_string(processId) + "-" + std::to_string(startMilliseconds);
    for (int attempt = 0; attempt < kFolderNameAttempts; ++attempt) {
        fs::path folder = root / (attempt == 0 ? stem : stem + "-" + std::to_string(attempt));
        // A folder that is already there belongs to another process, even an empty one.
        if (::mkdir(folder.c_str(), kPrivateFolderMode) != 0) continue;
        // Another editor starting up may have claimed the empty folder in between.
        if (claims.claim(folder)) return folder;
    }
    return std::nullopt;
}

std::vector<LeftCopy> claimLeftCopies(const fs::path& root, const fs::path& ownFolder, FolderClaims& claims) {
    std::vector<LeftCopy> copies;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(root, error)) {
        fs::path folder = entry.path();
        if (folder == ownFolder || !entry.is_directory(error) || entry.is_symlink(error)) continue;
        if (!claims.claim(folder)) continue;
        std::optional<RecoveryDescription> description = readRecoveryDescription(folder / kDescriptionFileName);
        if (description && fs::is_regular_file(folder / kCopyFileName, error)) {
            copies.push_back({folder, *description});
        } else {
            removeFolder(folder, claims);
        }
    }
    std::sort(copies.begin(), copies.end(), [](const LeftCopy& a, const LeftCopy& b) {
        return a.description.copiedAt > b.description.copiedAt;
    });
    return copies;
}

void removeFolder(const fs::path& folder, FolderClaims& claims) {
    removeCopy(folder);
    claims.release(folder);
    std::error_code ignored;
    fs::remove_all(folder, ignored);
}

void removeCopy(const fs::path& folder) {
    std::error_code ignored;
    fs::remove(folder / kCopyFileName, ignored);
    fs::remove(folder / kDescriptionFileName, ignored);
}

bool moveCopy(const fs::path& from, const fs::path& to) {
    std::error_code error;
    // The description first: a copy is never without one, and a description without
    // its copy is passed over.
    fs::rename(from / kDescriptionFileName, to / kDescriptionFileName, error);
    if (error) return false;
    fs::rename(from / kCopyFileName, to / kCopyFileName, error);
    if (!error) return true;
    fs::rename(to / kDescriptionFileName, from / kDescriptionFileName, error);
    return false;
}

}  // namespace app
