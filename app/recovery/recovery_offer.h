#pragma once

#include <optional>
#include <vector>

#include "app/recovery/recovery_folders.h"

namespace app {

// Asks about each claimed left copy in turn, newest first. No removes the copy; a box
// closed without an answer keeps it for the next start. Yes loads it as the current
// document, modified, with its original file kept for Save (a new table stays
// untitled, under its 表格N); the editor shows one table at a time, so the copies
// after it wait for the next start. Every folder but the restored one's is let go;
// that one is returned still claimed.
std::optional<LeftCopy> offerLeftCopies(const std::vector<LeftCopy>& copies, FolderClaims& claims);

}  // namespace app
