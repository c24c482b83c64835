// Deleting a set of rows or columns at once: exactly the table that deleting them one
// by one from the last leaves, but with one reset notice instead of one per row.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <numeric>
#include <optional>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "tests/grid/model/same_table.h"
#include "tests/grid/support/table_fixture.h"

namespace {

using Kind = grid::ModelNotice::Kind;
using namespace grid::CellFlags;

// A data source bound to a provider of the given type, for providers that behave
// differently from the in-memory one.
template <typename Provider>
struct BoundTable {
    explicit BoundTable(int rows, int columns) {
        source.bindProvider(&provider);
        provider.setSize(rows, columns);
    }
    grid::FixedTextMeasurer measurer{{20, 40}};
    Provider provider{measurer};
    grid::DataSrc source;
};

// A small table with merged blocks, lines, texts, a picture, changed sizes, fixed rows
// and columns and a current row, all random; the same seed builds the same table.
void fillRandomly(grid::DataSrc& source, grid::NProvider& provider, uint32_t seed) {
    std::mt19937 random(seed);
    const int rows = source.rowCount();
    const int columns = source.columnCount();
    auto pick = [&random](int below) { return static_cast<int>(random() % static_cast<uint32_t>(below)); };
    auto anyRange = [&] {
        const int row = pick(rows);
        const int column = pick(columns);
        return grid::CellRange{row, column, 1 + pick(rows - row), 1 + pick(columns - column)};
    };
    for (int i = 0; i < rows * columns; ++i) source.setCellText(pick(rows), pick(columns), std::to_string(i));
    for (int i = 0; i < 3; ++i) source.mergeCells(anyRange());
    for (int i = 0; i < 4; ++i) source.drawLines(anyRange(), random() % 512);
    const int pictureRow = pick(rows);
    const int pictureColumn = pick(columns);
    source.setKind({pictureRow, pictureColumn, 1, 1}, grid::CellKind::Picture);
    const uint8_t picture[] = {'G', 'I', 'F', '8', '9', 'a'};
    source.setCellData(pictureRow, pictureColumn, picture);
    source.setRowHeight(pick(rows), 1, 60 + pick(40));
    source.setColumnWidth(pick(columns), 1, 100 + pick(400));
    provider.setFixedRows(pick(rows + 1));
    provider.setFixedColumns(pick(columns + 1));
    source.setCurrentRow(pick(rows));
}

// The first position, the last, everything, runs from either end, both ends and
// random sets of any density.
std::vector<std::vector<int32_t>> setsToTry(int length, std::mt19937& random) {
    std::vector<int32_t> all(static_cast<size_t>(length));
    std::iota(all.begin(), all.end(), 0);
    const auto cut = static_cast<std::ptrdiff_t>(random() % static_cast<uint32_t>(length));
    std::vector<std::vector<int32_t>> sets = {
        {0}, {length - 1}, all, {all.begin(), all.begin() + cut + 1}, {all.begin() + cut, all.end()}, {0, length - 1},
    };
    for (uint32_t density : {1u, 2u, 3u}) {
        std::vector<int32_t> subset;
        for (int32_t position : all) {
            if (random() % 4 < density) subset.push_back(position);
        }
        sets.push_back(subset);
    }
    // In a table of one position, the first is the last.
    for (std::vector<int32_t>& set : sets) set.erase(std::unique(set.begin(), set.end()), set.end());
    return sets;
}

// The set as a caller may pass it: shuffled, with repeats and numbers outside the table.
std::vector<int32_t> untidy(std::vector<int32_t> set, int length, std::mt19937& random) {
    if (!set.empty()) set.push_back(set.front());
    set.insert(set.end(), {-1, length, INT32_MAX, INT32_MIN});
    std::shuffle(set.begin(), set.end(), random);
    return set;
}

bool hasCurrentRowNotice(const NoticeRecorder& recorder) {
    return std::ranges::count(recorder.kinds(), Kind::CurrentRow) > 0;
}

void expectSameAsOneByOne(bool rows) {
    std::mt19937 random(rows ? 7 : 11);
    for (uint32_t seed = 0; seed < 250; ++seed) {
        const int rowCount = 1 + static_cast<int>(seed % 7);
        const int columnCount = 1 + static_cast<int>(seed / 7 % 6);
        for (const std::vector<int32_t>& set : setsToTry(rows ? rowCount : columnCount, random)) {
            std::string described;
            for (int32_t position : set) described += std::to_string(position) + " ";
            SCOPED_TRACE("seed " + std::to_string(seed) + ", set " + described);
            TableFixture together(rowCount, columnCount);
            TableFixture oneByOne(rowCount, columnCount);
            fillRandomly(together.source, together.provider, seed);
            fillRandomly(oneByOne.source, oneByOne.provider, seed);
            together.recorder.notices.clear();
            oneByOne.recorder.notices.clear();

            std::vector<int32_t> given = untidy(set, rows ? rowCount : columnCount, random);
            ASSERT_TRUE(rows ? together.source.deleteRowSet(given) : together.source.deleteColumnSet(given));
            for (auto position = set.rbegin(); position != set.rend(); ++position) {
                ASSERT_TRUE(rows ? oneByOne.source.deleteRows(*position, 1)
                                 : oneByOne.source.deleteColumns(*position, 1));
            }

            ASSERT_TRUE(sameTable(together.provider.table(), oneByOne.provider.table()));
            EXPECT_EQ(together.source.currentRow(), oneByOne.source.currentRow());
            std::vector<Kind> expected;
            if (!set.empty()) expected = {Kind::BeforeChange, Kind::Reset};
            if (hasCurrentRowNotice(oneByOne.recorder)) expected.push_back(Kind::CurrentRow);
            EXPECT_EQ(together.recorder.kinds(), expected);
            if (!expected.empty() && expected.back() == Kind::CurrentRow) {
                EXPECT_EQ(together.recorder.notices.back().row, together.source.currentRow());
            }
        }
    }
}

TEST(DataSourceSetsTest, DeletingARowSetLeavesWhatDeletingEachRowFromTheLastLeaves) { expectSameAsOneByOne(true); }

TEST(DataSourceSetsTest, DeletingAColumnSetLeavesWhatDeletingEachColumnFromTheLastLeaves) {
    expectSameAsOneByOne(false);
}

struct CurrentRowCase {
    int current;
    std::vector<int32_t> set;
    int expected;
    bool notice;
};

class CurrentRowAtReset : public grid::ModelView {
public:
    explicit CurrentRowAtReset(const grid::DataSrc& source) : source_(source) {}
    void onModelNotice(const grid::ModelNotice& notice) override {
        if (notice.kind == Kind::Reset) seen.push_back(source_.currentRow());
    }
    std::vector<int32_t> seen;

private:
    const grid::DataSrc& source_;
};

TEST(DataSourceSetsTest, OneResetThatAlreadyKnowsTheCurrentRowAndOneCurrentRowNoticeAtMost) {
    const CurrentRowCase cases[] = {
        {4, {2, 4, 7}, 4, true},    // the current row goes: the row after it takes its number
        {1, {5, 6}, 1, false},      // rows below go
        {6, {1, 2}, 6, false},      // rows above go: the number stays
        {9, {9}, 8, true},          // the last row goes
        {7, {3, 8, 9}, 6, true},    // never deleted, but its number no longer exists
        {8, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, 0, true},
    };
    for (const CurrentRowCase& c : cases) {
        TableFixture table(10, 2);
        CurrentRowAtReset atReset(table.source);
        table.source.addView(&atReset);
        table.source.setCurrentRow(c.current);
        table.recorder.notices.clear();
        ASSERT_TRUE(table.source.deleteRowSet(c.set));
        std::vector<grid::ModelNotice> expected = {{.kind = Kind::BeforeChange}, {.kind = Kind::Reset}};
        if (c.notice) expected.push_back({.kind = Kind::CurrentRow, .row = c.expected});
        EXPECT_EQ(table.recorder.notices, expected) << c.current;
        EXPECT_EQ(atReset.seen, std::vector<int32_t>{c.expected}) << c.current;
        table.source.removeView(&atReset);
    }
}

TEST(DataSourceSetsTest, SetsWithNothingToDeleteSucceedSilentlyButNeedAProvider) {
    TableFixture table(3, 3);
    table.recorder.notices.clear();
    EXPECT_TRUE(table.source.deleteRowSet({}));
    EXPECT_TRUE(table.source.deleteRowSet({-1, 3, INT32_MIN}));
    EXPECT_TRUE(table.source.deleteColumnSet({3, 3}));
    EXPECT_TRUE(table.recorder.notices.empty());
    EXPECT_EQ(table.source.rowCount(), 3);
    EXPECT_EQ(table.source.columnCount(), 3);
    grid::DataSrc unbound;
    EXPECT_FALSE(unbound.deleteRowSet({0}));
    EXPECT_FALSE(unbound.deleteColumnSet({}));
}

// Refuses every set deletion, keeping the table as the seam repairs left it.
class RefusingProvider : public grid::NProvider {
public:
    using NProvider::NProvider;
    bool deleteRowSet(std::span<const int32_t>) override { return refuse(); }
    bool deleteColumnSet(std::span<const int32_t>) override { return refuse(); }
    std::optional<grid::Table> seen;

private:
    bool refuse() {
        seen = table();
        return false;
    }
};

TEST(DataSourceSetsTest, ARefusedDeletionPutsTheRepairedSeamsBack) {
    BoundTable<RefusingProvider> table(5, 3);
    table.source.mergeCells({1, 0, 3, 2});
    // A top line under a row 0 without a bottom line: deleting row 0 takes it away.
    table.provider.setFlags(1, 2, table.provider.table().cell(1, 2).flags() | kTopLine);
    const grid::Table before = table.provider.table();
    EXPECT_FALSE(table.source.deleteRowSet({0, 3}));
    ASSERT_TRUE(table.provider.seen);
    EXPECT_FALSE(sameTable(*table.provider.seen, before)) << "the seams are repaired before the deletion";
    EXPECT_TRUE(sameTable(table.provider.table(), before));
    table.provider.seen.reset();
    EXPECT_FALSE(table.source.deleteColumnSet({1}));
    ASSERT_TRUE(table.provider.seen);
    EXPECT_FALSE(sameTable(*table.provider.seen, before));
    EXPECT_TRUE(sameTable(table.provider.table(), before));
}

// Takes the defaults that every provider without its own flag reading and set
// deletion gets: flags through getCell, and deleting one position after the other.
class OneByOneProvider : public grid::NProvider {
public:
    using NProvider::NProvider;
    uint32_t cellFlags(int32_t row, int32_t column) const override { return DataProvider::cellFlags(row, column); }
    bool deleteRowSet(std::span<const int32_t> rows) override { return DataProvider::deleteRowSet(rows); }
    bool deleteColumnSet(std::span<const int32_t> columns) override {
        return DataProvider::deleteColumnSet(columns);
    }
};

TEST(DataSourceSetsTest, TheDefaultProviderDeletionGivesTheSameTable) {
    for (uint32_t seed = 0; seed < 40; ++seed) {
        TableFixture inMemory(6, 5);
        BoundTable<OneByOneProvider> byDefault(6, 5);
        fillRandomly(inMemory.source, inMemory.provider, seed);
        fillRandomly(byDefault.source, byDefault.provider, seed);
        const std::vector<int32_t> rows = {0, 2, 3, 5};
        const std::vector<int32_t> columns = {1, 4};
        ASSERT_TRUE(inMemory.source.deleteRowSet(rows));
        ASSERT_TRUE(byDefault.source.deleteRowSet(rows));
        ASSERT_TRUE(inMemory.source.deleteColumnSet(columns));
        ASSERT_TRUE(byDefault.source.deleteColumnSet(columns));
        EXPECT_TRUE(sameTable(byDefault.provider.table(), inMemory.provider.table())) << seed;
    }
}

TEST(DataSourceSetsTest, UndoBringsBackWhatASetDeletionTook) {
    TableFixture table(600, 4);
    fillRandomly(table.source, table.provider, 3);
    table.source.setCellText(599, 3, "last");
    const grid::Table before = table.provider.table();
    const int32_t kept = table.source.captureState();
    ASSERT_NE(kept, 0);
    std::vector<int32_t> everySecond;
    for (int32_t row = 0; row < 600; row += 2) everySecond.push_back(row);
    ASSERT_TRUE(table.source.deleteRowSet(everySecond));
    ASSERT_TRUE(table.source.deleteColumnSet({0, 3}));
    EXPECT_EQ(table.text(299, 1), "");
    ASSERT_TRUE(table.source.restoreState(kept));
    EXPECT_TRUE(sameTable(table.provider.table(), before));
    EXPECT_EQ(table.text(599, 3), "last");
}

}  // namespace
