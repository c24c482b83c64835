#include "grid/model/cell_format.h"

#include <atomic>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <unordered_map>

namespace grid {

namespace {

// Formats live in blocks that never move, so a reference handed out stays valid while
// others are added, and a number is turned into its format without a lock: a painter
// or the recovery writer reads formats while the editor adds new ones.
constexpr int kBlockShift = 12;
constexpr uint32_t kBlockSize = uint32_t{1} << kBlockShift;
// 268 million formats, far beyond what any table names; the table of blocks stays
// small enough for every compiler to set up before the program starts.
constexpr size_t kMaxBlocks = size_t{1} << 16;

// The first block is static, so the default format is there before any cell is made;
// the table of the other blocks starts all empty and costs no page until it is used.
constinit CellFormat firstBlock[kBlockSize] = {};
constinit std::atomic<CellFormat*> blocks[kMaxBlocks] = {};

struct FormatHash {
    size_t operator()(const CellFormat& format) const {
        uint64_t h = (uint64_t{format.flags} << 32 | format.textColor) * 0x9E3779B97F4A7C15ull;
        h ^= (uint64_t{format.backColor} << 32 | uint32_t(uint16_t(format.fontSize)) << 16 |
              uint16_t(format.margin)) * 0xC2B2AE3D27D4EB4Full;
        h ^= std::hash<const void*>()(format.fontName);
        return static_cast<size_t>(h ^ (h >> 29));
    }
};

struct Registry {
    std::mutex guard;
    std::unordered_map<CellFormat, uint32_t, FormatHash> numbers{{CellFormat{}, kDefaultFormatIndex}};
    uint32_t count = 1;
};

Registry& registry() {
    // Never destroyed: cells in static storage may outlive any destructor order.
    static auto* instance = new Registry;
    return *instance;
}

uint32_t addFormat(const CellFormat& format) {
    Registry& r = registry();
    std::lock_guard lock(r.guard);
    if (auto found = r.numbers.find(format); found != r.numbers.end()) return found->second;
    const uint32_t index = r.count;
    const size_t block = index >> kBlockShift;
    if (block >= kMaxBlocks) throw std::bad_alloc();
    CellFormat* slots = block == 0 ? firstBlock : blocks[block].load(std::memory_order_relaxed);
    std::unique_ptr<CellFormat[]> fresh;
    if (!slots) {
        fresh = std::make_unique<CellFormat[]>(kBlockSize);
        slots = fresh.get();
    }
    slots[index & (kBlockSize - 1)] = format;
    r.numbers.emplace(format, index);
    if (fresh) blocks[block].store(fresh.release(), std::memory_order_release);
    ++r.count;
    return index;
}

}  // namespace

uint32_t internFormat(const CellFormat& format) {
    // Runs of cells share a format (a loaded file, a filled selection), so the last
    // answer on this thread settles most calls without the lock.
    thread_local CellFormat lastFormat;
    thread_local uint32_t lastIndex = kDefaultFormatIndex;
    if (format == lastFormat) return lastIndex;
    const uint32_t index = addFormat(format);
    lastFormat = format;
    lastIndex = index;
    return index;
}

const CellFormat& formatAt(uint32_t index) {
    if (index < kBlockSize) return firstBlock[index];
    return blocks[index >> kBlockShift].load(std::memory_order_acquire)[index & (kBlockSize - 1)];
}

}  // namespace grid
