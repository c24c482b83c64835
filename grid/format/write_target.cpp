#include "grid/format/write_target.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "runtime/value/file_name.h"

namespace grid {
namespace fs = std::filesystem;

bool isForeignLinkInSharedFolder(const std::string& path) {
    struct stat link;
    if (::lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) return false;
    std::error_code error;
    fs::path folder = fs::absolute(path, error).parent_path();
    struct stat folderStatus;
    if (error || ::stat(folder.c_str(), &folderStatus) != 0) return true;
    const bool shared = (folderStatus.st_mode & S_ISVTX) && (folderStatus.st_mode & S_IWOTH);
    return shared && link.st_uid != ::geteuid() && link.st_uid != folderStatus.st_uid;
}

WriteTarget resolveWriteTarget(const std::string& path, TargetRule rule) {
    std::error_code error;
    fs::path target = fs::absolute(path, error);
    if (error) return {};
    struct stat status;
    const bool exists = ::lstat(target.c_str(), &status) == 0;
    if (rule == TargetRule::OwnRegularFileOnly) {
        // The rename that puts the new file in place replaces a link itself, never
        // what it points at; refusing links here keeps a planted one from being
        // mistaken for the person's own backup later.
        if (exists && (!S_ISREG(status.st_mode) || status.st_uid != ::geteuid())) {
            return {target.string(), WriteRefusal::NotOwnRegularFile};
        }
        return {target.string(), WriteRefusal::None};
    }
    if (!exists || !S_ISLNK(status.st_mode)) return {target.string(), WriteRefusal::None};
    if (isForeignLinkInSharedFolder(target.string())) return {target.string(), WriteRefusal::ForeignLink};
    // Saving through the person's own link replaces the file it points at.
    target = fs::canonical(target, error);
    if (error) return {};
    return {target.string(), WriteRefusal::None};
}

std::string refusedTargetMessage(const std::string& gbkPath) {
    if (!isForeignLinkInSharedFolder(rt::pathFromText(gbkPath).string())) return {};
    return "“" + gbkPath + "”是别人放在共享文件夹里的链接，为了不让它改写您的其他文件，没有写入。";
}

}  // namespace grid
