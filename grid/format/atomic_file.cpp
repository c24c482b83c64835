#include "grid/format/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <utility>

namespace grid {
namespace {

bool writeAll(int descriptor, const uint8_t* data, size_t size) {
    while (size > 0) {
        ssize_t written = ::write(descriptor, data, size);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

// A new file gets the permissions the process would give it; a replaced file keeps
// its own. Set-user-id, set-group-id and sticky bits are never carried over: a
// person's table is no program, and a bit planted on a file must not spread.
mode_t permissionsFor(const std::string& target, const WriteRules& rules) {
    if (rules.mode) return *rules.mode & 0777;
    struct stat existing;
    if (::stat(target.c_str(), &existing) == 0) return existing.st_mode & 0777;
    mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

void syncDirectory(const std::string& directory) {
    int descriptor = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) return;
    ::fsync(descriptor);
    ::close(descriptor);
}

}  // namespace

AtomicFile::AtomicFile(const std::string& path, const WriteRules& rules) {
    WriteTarget resolved = resolveWriteTarget(path, rules.target);
    refusal_ = resolved.refusal;
    if (resolved.path.empty() || refusal_ != WriteRefusal::None) return;
    std::filesystem::path target(resolved.path);
    targetPath_ = target.string();
    std::string hiddenName = ".";
    hiddenName.append(target.filename().string()).append(".XXXXXX");
    std::string pattern = (target.parent_path() / hiddenName).string();
    descriptor_ = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (descriptor_ < 0) return;
    temporaryPath_ = pattern;
    ::fchmod(descriptor_, permissionsFor(targetPath_, rules));
}

AtomicFile::~AtomicFile() { discard(); }

void AtomicFile::write(std::span<const uint8_t> bytes) {
    if (descriptor_ < 0 || failed_ || bytes.empty()) return;
    if (buffered_ + bytes.size() > buffer_.size() && !flushBuffer()) return;
    if (bytes.size() >= buffer_.size()) {
        failed_ = !writeAll(descriptor_, bytes.data(), bytes.size());
        return;
    }
    std::memcpy(buffer_.data() + buffered_, bytes.data(), bytes.size());
    buffered_ += bytes.size();
}

bool AtomicFile::flushBuffer() {
    failed_ = failed_ || !writeAll(descriptor_, buffer_.data(), buffered_);
    buffered_ = 0;
    return !failed_;
}

bool AtomicFile::commit() {
    if (descriptor_ < 0 || !flushBuffer() || ::fsync(descriptor_) != 0) {
        discard();
        return false;
    }
    int descriptor = std::exchange(descriptor_, -1);
    if (::close(descriptor) != 0 || std::rename(temporaryPath_.c_str(), targetPath_.c_str()) != 0) {
        ::unlink(temporaryPath_.c_str());
        temporaryPath_.clear();
        return false;
    }
    temporaryPath_.clear();
    syncDirectory(std::filesystem::path(targetPath_).parent_path().string());
    return true;
}

void AtomicFile::discard() {
    if (descriptor_ >= 0) ::close(std::exchange(descriptor_, -1));
    if (!temporaryPath_.empty()) ::unlink(temporaryPath_.c_str());
    temporaryPath_.clear();
}

}  // namespace grid
