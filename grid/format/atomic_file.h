#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "grid/format/byte_sink.h"
#include "grid/format/write_target.h"

namespace grid {

// Writes a file so that the previous file of that name survives every failure: the
// bytes go to a new temporary file in the same directory, through a 256 KiB buffer
// (a large table is tens of megabytes: few, large writes), and only after all of
// them were written and flushed to the disk does the temporary file take the
// target's name. Without commit() the temporary file is removed and the target is
// untouched. What an existing name may be replaced with, and the new file's
// permissions, follow the write rules.
class AtomicFile : public ByteSink {
public:
    explicit AtomicFile(const std::string& path, const WriteRules& rules = {});
    ~AtomicFile() override;
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    bool isOpen() const { return descriptor_ >= 0; }
    // Why the file was not opened, when the rules refused its target.
    WriteRefusal refusal() const { return refusal_; }
    // The temporary file's name, for a writer that fills the file by its name (a PDF
    // printer) instead of through write(); commit() then flushes and renames what it
    // wrote.
    const std::string& temporaryPath() const { return temporaryPath_; }
    void write(std::span<const uint8_t> bytes) override;
    // True when every byte reached the disk under the target's name.
    bool commit();

private:
    bool flushBuffer();
    void discard();

    std::string targetPath_;
    std::string temporaryPath_;
    int descriptor_ = -1;
    bool failed_ = false;
    WriteRefusal refusal_ = WriteRefusal::None;
    std::vector<uint8_t> buffer_ = std::vector<uint8_t>(256 * 1024);
    size_t buffered_ = 0;
};

}  // namespace grid
