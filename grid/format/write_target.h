#pragma once

#include <sys/types.h>

#include <optional>
#include <string>

namespace grid {

// What a save may do with what is already at its target's name.
enum class TargetRule {
    // Saves and exports a person asked for: a link is followed, as a person expects of
    // their own links, but not a link that someone else put into a shared folder.
    FollowOwnLinks,
    // Files written beside a file the person only opened (the backup): never through a
    // link, and never over anything but the person's own regular file.
    OwnRegularFileOnly,
};

enum class WriteRefusal { None, ForeignLink, NotOwnRegularFile };

struct WriteRules {
    TargetRule target = TargetRule::FollowOwnLinks;
    // The new file's permissions; without them a replaced file keeps its own and a
    // new one gets what the process would give it.
    std::optional<mode_t> mode;
};

// The file a save really writes: the absolute path, with a followed link resolved.
struct WriteTarget {
    std::string path;
    WriteRefusal refusal = WriteRefusal::None;
};

// Empty path when the name cannot be made absolute or a link cannot be resolved.
WriteTarget resolveWriteTarget(const std::string& path, TargetRule rule);

// True when `path` is a symbolic link in a sticky folder that everyone may write (such
// as /tmp) and belongs neither to us nor to the folder's owner: the links the kernel's
// protected-symlinks setting would not let us follow, because anyone could have put
// them there to make us write over one of our own files.
bool isForeignLinkInSharedFolder(const std::string& path);

// Why a person's save of the GBK-named file was refused, for a message box; empty
// when nothing about the name refuses it.
std::string refusedTargetMessage(const std::string& gbkPath);

}  // namespace grid
