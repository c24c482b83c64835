#pragma once

#include <QImage>
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <list>
#include <map>

#include "grid/view/picture_decoder.h"

namespace grid {

// What identifies a picture's bytes without keeping them: the digest and length of a
// cell's own bytes, or for a file a cell names, what the file system says of it.
struct PictureKey {
    enum class Source : uint8_t { CellBytes, File };
    Source source = Source::CellBytes;
    std::array<uint8_t, 32> digest{};
    uint64_t size = 0;
    uint64_t device = 0;
    uint64_t inode = 0;
    int64_t modifiedNanoseconds = 0;

    friend auto operator<=>(const PictureKey&, const PictureKey&) = default;
};

// Decoded pictures by what they were decoded from, so that one picture shown in many
// cells, by the grid, the preview and the printer, is decoded and held once. The
// pictures together stay within a byte limit: the one used longest ago goes first.
// Every user is on the UI thread.
class PictureCache {
public:
    // The process's own cache: 256 MiB of decoded pictures.
    static PictureCache& shared();

    explicit PictureCache(size_t byteLimit) : byteLimit_(byteLimit) {}
    PictureCache(const PictureCache&) = delete;
    PictureCache& operator=(const PictureCache&) = delete;

    // The picture for this key, decoded by `decode` when the cache does not hold it.
    // The reference holds until the next call; a caller keeps no copy of the image,
    // which would keep its pixels alive outside the limit.
    const CellPicture& find(const PictureKey& key, const std::function<CellPicture()>& decode);

    void clear();
    size_t bytesHeld() const { return bytesHeld_; }
    size_t pictureCount() const { return entries_.size(); }

private:
    struct Entry {
        PictureKey key;
        CellPicture picture;
        size_t cost = 0;
    };

    void makeRoomFor(size_t cost);

    size_t byteLimit_;
    size_t bytesHeld_ = 0;
    // Most recently used first.
    std::list<Entry> entries_;
    std::map<PictureKey, std::list<Entry>::iterator> index_;
};

}  // namespace grid
