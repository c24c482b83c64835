#include "grid/provider/odbc/block_cache.h"

#include <gtest/gtest.h>

using namespace grid::odbc;

namespace {

BlockCache::Block blockMarked(std::u16string_view mark) { return {Row{Field{std::u16string(mark), false}}}; }

std::u16string markOf(BlockCache::Block* block) { return block ? block->front().front().text : u"(none)"; }

}  // namespace

TEST(BlockCache, TheLeastRecentlyUsedBlockGoesFirst) {
    BlockCache cache(3);
    cache.insert(0, blockMarked(u"a"));
    cache.insert(1, blockMarked(u"b"));
    cache.insert(2, blockMarked(u"c"));
    EXPECT_EQ(markOf(cache.find(0)), u"a");  // 0 is now the most recent; 1 the least
    cache.insert(3, blockMarked(u"d"));
    EXPECT_EQ(cache.size(), 3u);
    EXPECT_EQ(cache.find(1), nullptr);
    EXPECT_EQ(markOf(cache.find(0)), u"a");
    EXPECT_EQ(markOf(cache.find(2)), u"c");
    EXPECT_EQ(markOf(cache.find(3)), u"d");
}

TEST(BlockCache, InsertingAHeldBlockReplacesIt) {
    BlockCache cache(2);
    cache.insert(5, blockMarked(u"old"));
    cache.insert(5, blockMarked(u"new"));
    EXPECT_EQ(cache.size(), 1u);
    EXPECT_EQ(markOf(cache.find(5)), u"new");
}

TEST(BlockCache, DroppingFromABlockKeepsTheBlocksBefore) {
    BlockCache cache(10);
    for (int64_t block : {7, 2, 9, 4, 3}) {
        cache.insert(block, blockMarked(u"x"));
    }
    cache.dropFrom(4);
    EXPECT_EQ(cache.size(), 2u);
    EXPECT_NE(cache.find(2), nullptr);
    EXPECT_NE(cache.find(3), nullptr);
    EXPECT_EQ(cache.find(4), nullptr);
    EXPECT_EQ(cache.find(9), nullptr);
    cache.drop(2);
    EXPECT_EQ(cache.find(2), nullptr);
    EXPECT_EQ(cache.size(), 1u);
}
