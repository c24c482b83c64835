#pragma once

#include <QLockFile>
#include <filesystem>
#include <map>
#include <memory>

#include "app/recovery/recovery_folders.h"

namespace app {

// Holds recovery folders through a lock file in each. The lock file names the process
// that holds it, so a lock left by an editor that died (killed, crashed, the machine
// went down) is recognised as stale and taken over, while the lock of an editor that
// still runs is left alone however old it is.
class LockFileClaims : public FolderClaims {
public:
    bool claim(const std::filesystem::path& folder) override;
    void release(const std::filesystem::path& folder) override;

private:
    std::map<std::filesystem::path, std::unique_ptr<QLockFile>> held_;
};

}  // namespace app
