#include "grid/view/picture_cache.h"

namespace grid {
namespace {

constexpr size_t kSharedByteLimit = size_t{256} * 1024 * 1024;

// What an entry costs besides its pixels, so that the many small entries of cells
// that hold no picture count against the limit too.
constexpr size_t kEntryOverhead = 256;

}  // namespace

PictureCache& PictureCache::shared() {
    static PictureCache cache(kSharedByteLimit);
    return cache;
}

const CellPicture& PictureCache::find(const PictureKey& key, const std::function<CellPicture()>& decode) {
    if (auto found = index_.find(key); found != index_.end()) {
        entries_.splice(entries_.begin(), entries_, found->second);
        return found->second->picture;
    }
    CellPicture picture = decode();
    const size_t cost = kEntryOverhead + static_cast<size_t>(picture.image.sizeInBytes());
    makeRoomFor(cost);
    entries_.push_front({key, std::move(picture), cost});
    index_.emplace(key, entries_.begin());
    bytesHeld_ += cost;
    return entries_.front().picture;
}

// A picture larger than the whole limit still stays while it is drawn, alone.
void PictureCache::makeRoomFor(size_t cost) {
    while (!entries_.empty() && bytesHeld_ + cost > byteLimit_) {
        bytesHeld_ -= entries_.back().cost;
        index_.erase(entries_.back().key);
        entries_.pop_back();
    }
}

void PictureCache::clear() {
    entries_.clear();
    index_.clear();
    bytesHeld_ = 0;
}

}  // namespace grid
