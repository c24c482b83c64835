#include "app/recovery/lock_file_claims.h"

#include <sys/stat.h>

#include <QFile>

namespace app {

bool LockFileClaims::claim(const std::filesystem::path& folder) {
    if (held_.contains(folder)) return true;
    auto lock = std::make_unique<QLockFile>(QFile::decodeName((folder / kLockFileName).c_str()));
    // An editor holds its lock for as long as it runs; only a dead holder makes a
    // lock stale, never its age.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) return false;
    ::chmod((folder / kLockFileName).c_str(), 0600);
    held_.emplace(folder, std::move(lock));
    return true;
}

void LockFileClaims::release(const std::filesystem::path& folder) { held_.erase(folder); }

}  // namespace app
