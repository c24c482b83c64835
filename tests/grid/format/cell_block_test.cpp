#include "grid/format/cell_block.h"

#include <gtest/gtest.h>

#include <string>

#include "grid/format/table_file_commands.h"
#include "runtime/value/owned.h"
#include "tests/grid/support/byte_builder.h"
#include "tests/grid/support/table_fixture.h"

namespace {

using namespace grid::CellFlags;
using Kind = grid::ModelNotice::Kind;
using namespace std::string_literals;

std::span<const uint8_t> asBytes(const std::string& bytes) {
    return {reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()};
}

// A 2 x 2 block whose cells hold "a".."d", all joined to the right (links that a
// paste must not bring along).
std::string blockOfFour() {
    return ByteBuilder()
        .raw("TSmR").int32(2).int32(2)
        .cell(kJoinedRight | 5, "", "a\0"s).cell(kJoinedRight | 5, "", "b\0"s)
        .cell(kJoinedRight | 5, "", "c\0"s).cell(kJoinedRight | 5, "", "d\0"s)
        .str();
}

TEST(CellBlockTest, TheRangeIsClippedAndAMissingStartGivesNoBytes) {
    TableFixture table(3, 3);
    table.source.setCellText(2, 2, "z");
    std::vector<uint8_t> block = grid::encodeCellBlock(table.source, {2, 2, 5, 5});
    std::string expected = ByteBuilder().raw("TSmR").int32(1).int32(1).cell(1, "", "z\0"s).str();
    EXPECT_EQ(std::string(block.begin(), block.end()), expected);
    EXPECT_TRUE(grid::encodeCellBlock(table.source, {3, 0, 1, 1}).empty());
    EXPECT_TRUE(grid::encodeCellBlock(table.source, {0, -1, 1, 1}).empty());
}

TEST(CellBlockTest, PastingAtTheLastCellGrowsTheTableOnlyWhenAllowed) {
    TableFixture table(3, 3);
    std::string block = blockOfFour();
    grid::PasteOutcome refused = grid::pasteCellBlock(table.source, 2, 2, asBytes(block), {.grow = false});
    EXPECT_FALSE(refused.succeeded);
    EXPECT_EQ(table.source.rowCount(), 3);
    EXPECT_EQ(table.text(2, 2), "");
    EXPECT_TRUE(table.recorder.notices.empty());

    grid::PasteOutcome grown = grid::pasteCellBlock(table.source, 2, 2, asBytes(block), {.grow = true});
    EXPECT_TRUE(grown.succeeded);
    EXPECT_TRUE(grown.tableWasReset);
    EXPECT_EQ(grown.rowCount, 2);
    EXPECT_EQ(table.source.rowCount(), 4);
    EXPECT_EQ(table.source.columnCount(), 4);
    EXPECT_EQ(table.text(3, 3), "d");
    EXPECT_EQ(table.flags(3, 3), 5u) << "the block's links are dropped, the new cell has none";
    EXPECT_EQ(table.recorder.kinds(), (std::vector{Kind::BeforeChange, Kind::Reset}));
}

TEST(CellBlockTest, APasteOverPartOfAMergedBlockKeepsTheBlock) {
    TableFixture table(3, 3);
    table.source.mergeCells({0, 0, 2, 2});
    grid::PasteOutcome outcome = grid::pasteCellBlock(table.source, 1, 1, asBytes(blockOfFour()), {});
    ASSERT_TRUE(outcome.succeeded);
    EXPECT_FALSE(outcome.tableWasReset);
    EXPECT_EQ(table.flags(1, 1), kJoinedLeft | kJoinedAbove | 5);
    EXPECT_EQ(table.flags(1, 2), 5u);
    EXPECT_EQ(table.text(1, 1), "a");
    EXPECT_EQ(table.recorder.notices.back(),
              (grid::ModelNotice{.kind = Kind::Cells, .row = 1, .column = 1, .rowCount = 2, .columnCount = 2}));
}

TEST(CellBlockTest, TheGridsPasteSkipsLockedCellsAndTheCommandDoesNot) {
    for (bool skip : {true, false}) {
        TableFixture table(2, 2);
        table.source.setCellText(0, 1, "locked");
        table.provider.setFlags(0, 1, 1 | kLocked);
        ASSERT_TRUE(grid::pasteCellBlock(table.source, 0, 0, asBytes(blockOfFour()), {.skipLockedCells = skip})
                        .succeeded);
        EXPECT_EQ(table.text(0, 0), "a");
        EXPECT_EQ(table.text(0, 1), skip ? "locked" : "b");
    }
}

TEST(CellBlockTest, DamagedBlocksAndBadTargetsChangeNothing) {
    std::string whole = blockOfFour();
    struct Case {
        std::string name;
        std::string bytes;
        int row;
        int column;
    };
    const Case cases[] = {
        {"cut in the last record", whole.substr(0, whole.size() - 1), 0, 0},
        {"cut after the counts", whole.substr(0, 12), 0, 0},
        {"a table file", "SDmR"s + whole.substr(4), 0, 0},
        {"more cells than bytes", ByteBuilder().raw("TSmR").int32(50000).int32(300).str(), 0, 0},
        {"start two past the end", whole, 4, 0},
        {"start before the table", whole, 0, -1},
    };
    for (const Case& c : cases) {
        TableFixture table(3, 3);
        table.source.setCellText(0, 0, "keep");
        table.recorder.notices.clear();
        EXPECT_FALSE(grid::pasteCellBlock(table.source, c.row, c.column, asBytes(c.bytes), {}).succeeded) << c.name;
        EXPECT_EQ(table.text(0, 0), "keep") << c.name;
        EXPECT_EQ(table.source.rowCount(), 3) << c.name;
        EXPECT_TRUE(table.recorder.notices.empty()) << c.name;
    }
}

TEST(CellBlockTest, TheCommandsCopyARangeElsewhereThroughABlock) {
    TableFixture table(3, 3);
    table.source.setCellText(0, 0, "x");
    table.source.setTextColor({0, 0, 1, 2}, 0xABCDEF);
    auto command = [](std::string_view name) {
        for (const grid::NamedCommand& c : grid::tableFileCommands()) {
            if (c.name == name) return c.routine;
        }
        return grid::tableFileCommands().front().routine;
    };
    rt::Value unit = table.unit.toValue();
    rt::OwnedByteSet block(rt::callCommand(command("getCellBlock"),
                                           {unit, rt::Value::integer(1), rt::Value::integer(1), rt::Value::omitted(),
                                            rt::Value::integer(2)}));
    ASSERT_EQ(block.bytes().size(), 4 + 8 + 2 * 24 + 2u);
    void* copy = rt::makeByteSet(block.bytes());
    rt::Value pasted = rt::callCommand(command("putCellBlock"), {unit, rt::Value::integer(3), rt::Value::integer(3),
                                                                rt::Value::byteSet(copy), rt::Value::omitted()});
    rt::release(copy);
    EXPECT_EQ(pasted.low, 1u) << "grow defaults to true";
    EXPECT_EQ(table.source.columnCount(), 4);
    EXPECT_EQ(table.text(2, 2), "x");
    EXPECT_EQ(table.provider.table().cell(2, 3).textColor(), 0xABCDEFu);
}

}  // namespace
