#include "runtime/value/memory.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "runtime/error/runtime_error.h"

namespace rt {
namespace {

struct ReadOnlyRange {
    const char* begin;
    const char* end;
};

std::vector<ReadOnlyRange>& readOnlyRanges() {
    static std::vector<ReadOnlyRange> ranges;
    return ranges;
}

const ReadOnlyRange* rangeHolding(const void* p) {
    auto* c = static_cast<const char*>(p);
    for (const auto& range : readOnlyRanges()) {
        if (c >= range.begin && c < range.end) return &range;
    }
    return nullptr;
}

[[noreturn]] void reportAllocationFailure(size_t byteCount) {
    // The message names the byte count it could not get; a count above the 32-bit
    // range is printed in full rather than wrapped into a negative number.
    std::string message = "分配 " + std::to_string(byteCount) + " 字节内存失败!";
    reportRuntimeError(message, 0);
}

}  // namespace

void* allocate(size_t byteCount) {
    // malloc(0) may return null; a zero-byte request still gets a real block.
    void* block = std::malloc(byteCount == 0 ? 1 : byteCount);
    if (!block) reportAllocationFailure(byteCount);
    return block;
}

void* reallocate(void* block, size_t byteCount) {
    if (!block) return allocate(byteCount);
    if (isInReadOnlyRange(block)) {
        void* copy = allocate(byteCount);
        std::memcpy(copy, block, std::min(byteCount, bytesLeftInReadOnlyRange(block)));
        return copy;
    }
    void* resized = std::realloc(block, byteCount == 0 ? 1 : byteCount);
    if (!resized) reportAllocationFailure(byteCount);
    return resized;
}

void release(void* block) {
    if (!block || isInReadOnlyRange(block)) return;
    std::free(block);
}

void registerReadOnlyRange(const void* begin, size_t byteCount) {
    auto* b = static_cast<const char*>(begin);
    readOnlyRanges().push_back({b, b + byteCount});
}

bool isInReadOnlyRange(const void* p) { return rangeHolding(p) != nullptr; }

size_t bytesLeftInReadOnlyRange(const void* p) {
    const ReadOnlyRange* range = rangeHolding(p);
    return range ? static_cast<size_t>(range->end - static_cast<const char*>(p)) : 0;
}

}  // namespace rt
