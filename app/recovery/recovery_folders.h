#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

#include "app/recovery/recovery_description.h"
#include "grid/format/write_target.h"

namespace app {

// Recovery copies live under $XDG_STATE_HOME/biaoge/recovery (~/.local/state when
// the variable is unset or not an absolute path), in one folder per running editor:
// the copy of its table, the copy's description and a lock that says the editor is
// still running. An editor touches only its own folder and the folders of editors
// that are no longer running, so two editors at once never touch each other's copies.
inline constexpr std::string_view kCopyFileName = "table.bge";
inline constexpr std::string_view kDescriptionFileName = "table.txt";
inline constexpr std::string_view kLockFileName = "lock";
// The copies hold unsaved work, so nobody else may look into the folders (0700) or
// read the files (0600).
inline constexpr mode_t kPrivateFolderMode = 0700;
inline const grid::WriteRules kPrivateFile{grid::TargetRule::OwnRegularFileOnly, 0600};

// Nothing when neither variable gives an absolute path.
std::optional<std::filesystem::path> recoveryRoot(const char* stateHome, const char* home);
// The same from this process's environment.
std::optional<std::filesystem::path> recoveryRoot();

// Whether a running editor holds a folder. The editor answers through lock files;
// tests answer through a table.
class FolderClaims {
public:
    virtual ~FolderClaims() = default;
    // Takes hold of the folder unless a running editor holds it; false when one does.
    virtual bool claim(const std::filesystem::path& folder) = 0;
    virtual void release(const std::filesystem::path& folder) = 0;
};

// A new folder for this process, claimed. Its name is the process id and the moment
// it was made, so a later process that gets the id of a dead one never takes over
// the dead one's copy. Nothing when no folder can be made under root.
std::optional<std::filesystem::path> makeOwnFolder(const std::filesystem::path& root, int64_t processId,
                                                   int64_t startMilliseconds, FolderClaims& claims);

// A copy that an editor which is no longer running left behind.
struct LeftCopy {
    std::filesystem::path folder;
    RecoveryDescription description;
};

// Claims the folders under root, other than ownFolder, that no running editor holds.
// A claimed folder without a complete copy (its editor ended before the first one)
// is removed at once; the others are returned newest first and stay claimed until
// removeFolder or release.
std::vector<LeftCopy> claimLeftCopies(const std::filesystem::path& root, const std::filesystem::path& ownFolder,
                                      FolderClaims& claims);

// Removes a claimed folder with everything in it, then lets go of it.
void removeFolder(const std::filesystem::path& folder, FolderClaims& claims);
// Removes the copy and its description from a folder, keeping the folder.
void removeCopy(const std::filesystem::path& folder);
// Moves the copy and its description from one folder into another; false, leaving
// both as they were as far as it can, when the copy could not be moved.
bool moveCopy(const std::filesystem::path& from, const std::filesystem::path& to);

}  // namespace app
