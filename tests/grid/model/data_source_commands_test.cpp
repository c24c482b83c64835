// The data-source commands as the application calls them: typed values, rows and
// columns from 1, omitted optional arguments.
#include "grid/model/data_source_commands.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "runtime/value/owned.h"
#include "tests/grid/support/byte_builder.h"
#include "tests/grid/support/table_fixture.h"

namespace {

using rt::Value;

class DataSourceCommandsTest : public testing::Test {
protected:
    Value call(std::string_view name, std::initializer_list<Value> arguments) {
        std::vector<Value> values{table.unit.toValue()};
        values.insert(values.end(), arguments);
        for (const grid::NamedCommand& command : grid::dataSourceCommands()) {
            if (command.name == name) return rt::callCommand(command.routine, int(values.size()), values.data());
        }
        ADD_FAILURE() << "no command " << name;
        return {};
    }
    int32_t integerResult(std::string_view name, std::initializer_list<Value> arguments) {
        Value result = call(name, arguments);
        EXPECT_EQ(result.type, rt::tagOf(rt::ValueType::Integer)) << name;
        return static_cast<int32_t>(result.low);
    }
    std::string textResult(std::string_view name, std::initializer_list<Value> arguments) {
        return rt::OwnedText(call(name, arguments)).str();
    }

    TableFixture table{4, 3};
    const Value omitted = Value::omitted();
};

Value integer(int32_t value) { return Value::integer(value); }

TEST_F(DataSourceCommandsTest, GettersOnMissingCellsGiveTheirDefaults) {
    const std::pair<const char*, int32_t> cases[] = {{"getTextColor", 0}, {"getBackColor", 0xFFFFFF},
                                                    {"getFontSize", 0},  {"getMargin", 0},
                                                    {"getFontStyle", 0}, {"getCellKind", 1}};
    for (auto [name, expected] : cases) {
        EXPECT_EQ(integerResult(name, {integer(5), integer(1)}), expected) << name;
        EXPECT_EQ(integerResult(name, {integer(0), integer(1)}), expected) << name << " at row 0";
    }
    EXPECT_EQ(textResult("getFontName", {integer(9), integer(9)}), "宋体");
    EXPECT_EQ(textResult("getCellText", {integer(9), integer(9)}), "");
    EXPECT_EQ(integerResult("getRowHeight", {integer(5)}), 0);
    EXPECT_EQ(integerResult("getColumnWidth", {integer(0)}), 0);
}

TEST_F(DataSourceCommandsTest, OmittedOptionalArgumentsTakeTheirDefaults) {
    call("setTextColor", {integer(1), integer(1), integer(2), integer(2), integer(0xFF)});
    call("setBackColor", {integer(1), integer(1), omitted, omitted, integer(0xFF)});
    call("setBackColor", {integer(1), integer(1), omitted, omitted, omitted});
    EXPECT_EQ(static_cast<uint32_t>(integerResult("getBackColor", {integer(1), integer(1)})), 0xFF000000u);
    EXPECT_EQ(integerResult("getTextColor", {integer(2), integer(2)}), 0xFF);
    EXPECT_EQ(integerResult("getTextColor", {integer(3), integer(3)}), 0) << "the counts default to 1, not to the rest";
    call("setFontSize", {integer(1), integer(1), omitted, omitted, integer(0)});
    EXPECT_EQ(integerResult("getFontSize", {integer(1), integer(1)}), 0) << "an integer 0 is a given argument";
    call("setFontSize", {integer(1), integer(1), omitted, omitted, omitted});
    EXPECT_EQ(integerResult("getFontSize", {integer(1), integer(1)}), 40);
}

TEST_F(DataSourceCommandsTest, OutOfRangeCodesFallBackToTheirDefaults) {
    struct Case {
        const char* setter;
        int32_t value;
        const char* getter;
        int32_t expected;
    };
    const Case cases[] = {
        {"setCellKind", 3, "getCellKind", 3}, {"setCellKind", 5, "getCellKind", 1},
        {"setCellKind", 0, "getCellKind", 1}, {"setMargin", -3, "getMargin", 9},
        {"setMargin", 12, "getMargin", 12},   {"setFontStyle", 0x1F, "getFontStyle", 15},
        {"setFontStyle", 5, "getFontStyle", 5}, {"setFontSize", 70000, "getFontSize", 32767},
    };
    for (const Case& c : cases) {
        call(c.setter, {integer(2), integer(2), omitted, omitted, integer(c.value)});
        EXPECT_EQ(integerResult(c.getter, {integer(2), integer(2)}), c.expected) << c.setter << " " << c.value;
    }
    const std::pair<int32_t, uint32_t> alignments[] = {{14, 14}, {15, 1}, {0, 1}, {2, 2}};
    for (auto [code, stored] : alignments) {
        call("setAlignment", {integer(1), integer(1), omitted, omitted, integer(code)});
        EXPECT_EQ(table.flags(0, 0) & grid::CellFlags::kAlignmentMask, stored) << code;
    }
    call("setInputType", {integer(1), integer(1), omitted, omitted, integer(9)});
    EXPECT_EQ(grid::inputTypeOf(table.flags(0, 0)), grid::InputType::Normal);
}

TEST_F(DataSourceCommandsTest, TextIsConvertedByTheInputTypeOnlyWhenSet) {
    call("setCellText", {integer(1), integer(1), Value::text("12.5")});
    call("setInputType", {integer(1), integer(1), omitted, omitted, integer(3)});
    EXPECT_EQ(textResult("getCellText", {integer(1), integer(1)}), "12.5") << "existing text is not reconverted";
    call("setCellText", {integer(1), integer(1), Value::text("12.5")});
    EXPECT_EQ(textResult("getCellText", {integer(1), integer(1)}), "12");
}

TEST_F(DataSourceCommandsTest, DataGoesOnlyToDataCellsAndTextOnlyToTextCells) {
    const uint8_t bytes[] = {'G', 'I', 'F', '8', '9', 'a'};
    rt::OwnedBlock byteSet(Value::byteSet(rt::makeByteSet(bytes)));
    call("setCellData", {integer(1), integer(1), Value::byteSet(byteSet.get())});
    EXPECT_EQ(table.provider.table().cell(0, 0).contentLength(), 0u);
    call("setCellKind", {integer(1), integer(1), omitted, omitted, integer(3)});
    call("setCellData", {integer(1), integer(1), Value::byteSet(byteSet.get())});
    EXPECT_EQ(table.provider.table().cell(0, 0).contentLength(), 6u);
    call("setCellText", {integer(1), integer(1), Value::text("x")});
    EXPECT_EQ(table.provider.table().cell(0, 0).contentLength(), 6u);
    EXPECT_EQ(textResult("getCellText", {integer(1), integer(1)}), "");
}

TEST_F(DataSourceCommandsTest, RowHeightCountsAreClippedToTheTable) {
    call("setRowHeight", {integer(3), integer(10), integer(100)});
    call("setRowHeight", {integer(1), omitted, integer(77)});
    const int32_t expected[] = {77, 58, 100, 100};
    for (int row = 0; row < 4; ++row) EXPECT_EQ(integerResult("getRowHeight", {integer(row + 1)}), expected[row]);
    call("setColumnWidth", {integer(2), integer(-1), integer(5)});
    EXPECT_EQ(integerResult("getColumnWidth", {integer(2)}), 312) << "a negative count changes nothing";
}

TEST_F(DataSourceCommandsTest, StructureCommandsReturnLogicalsAndCountFromOne) {
    struct Case {
        const char* name;
        std::vector<Value> arguments;
        bool result;
        int rows;
        int columns;
    };
    const std::vector<Case> cases = {
        {"insertRows", {integer(5), omitted}, true, 5, 3},  {"insertRows", {integer(7), omitted}, false, 5, 3},
        {"appendRows", {integer(2)}, true, 7, 3},           {"deleteRows", {integer(1), integer(100)}, true, 0, 3},
        {"appendRows", {omitted}, true, 1, 3},              {"insertColumns", {integer(1), integer(2)}, true, 1, 5},
        {"deleteColumns", {integer(0), omitted}, false, 1, 5},
    };
    for (const Case& c : cases) {
        std::vector<Value> values{table.unit.toValue()};
        values.insert(values.end(), c.arguments.begin(), c.arguments.end());
        auto routine = std::find_if(grid::dataSourceCommands().begin(), grid::dataSourceCommands().end(),
                                    [&](const auto& command) { return command.name == c.name; })->routine;
        Value result = rt::callCommand(routine, int(values.size()), values.data());
        EXPECT_EQ(result.type, rt::tagOf(rt::ValueType::Logical));
        EXPECT_EQ(result.low != 0, c.result) << c.name;
        EXPECT_EQ(integerResult("getRowCount", {}), c.rows) << c.name;
        EXPECT_EQ(integerResult("getColumnCount", {}), c.columns) << c.name;
    }
}

TEST_F(DataSourceCommandsTest, UndoStatesTravelAsNumbers) {
    int32_t kept = integerResult("captureState", {});
    ASSERT_GT(kept, 0);
    call("setCellText", {integer(1), integer(1), Value::text("changed")});
    EXPECT_EQ(call("restoreState", {integer(kept)}).low, 1u);
    EXPECT_EQ(textResult("getCellText", {integer(1), integer(1)}), "");
    call("releaseState", {integer(kept)});
    EXPECT_EQ(call("restoreState", {integer(kept)}).low, 0u);
}

TEST_F(DataSourceCommandsTest, TextBlocksTravelAsByteSetsOfNulEndedTexts) {
    const std::string texts("a\0b\0c\0d\0", 8);
    rt::OwnedBlock block(Value::byteSet(rt::makeByteSet(texts)));
    call("putTextBlock", {integer(2), integer(2), integer(2), integer(2), Value::byteSet(block.get())});
    EXPECT_EQ(table.text(1, 1), "a");
    EXPECT_EQ(table.text(2, 2), "d");
    rt::OwnedByteSet read(call("getTextBlock", {integer(2), integer(2), integer(9), integer(2)}));
    EXPECT_EQ(std::string(read.bytes().begin(), read.bytes().end()), std::string("a\0b\0c\0d\0\0\0", 10))
        << "clipped to the table's last row";
    call("putTextBlock", {integer(1), integer(1), omitted, omitted, Value::text("one")});
    EXPECT_EQ(table.text(0, 0), "one") << "a text is a block of one text";
    EXPECT_TRUE(rt::OwnedByteSet(call("getTextBlock", {integer(5), integer(1), omitted, omitted})).bytes().empty());
}

TEST_F(DataSourceCommandsTest, RowAndColumnSetsAreLittleEndianNumbersFromOne) {
    for (int row = 0; row < 4; ++row) table.source.setCellText(row, 0, std::to_string(row + 1));
    ByteBuilder numbers;
    numbers.int32(4).int32(2).int32(0).int32(-3).int32(99).int32(2).raw("\x01");
    rt::OwnedBlock rows(Value::byteSet(rt::makeByteSet(numbers.str())));
    Value result = call("deleteRowSet", {Value::byteSet(rows.get())});
    EXPECT_EQ(result.type, rt::tagOf(rt::ValueType::Logical));
    EXPECT_EQ(result.low, 1u);
    EXPECT_EQ(table.source.rowCount(), 2);
    EXPECT_EQ(table.text(0, 0), "1") << "the cut-off last word does not delete row 1";
    EXPECT_EQ(table.text(1, 0), "3");
    ByteBuilder columns;
    columns.int32(3).int32(1);
    rt::OwnedBlock columnSet(Value::byteSet(rt::makeByteSet(columns.str())));
    EXPECT_EQ(call("deleteColumnSet", {Value::byteSet(columnSet.get())}).low, 1u);
    EXPECT_EQ(table.source.columnCount(), 1);
    EXPECT_EQ(call("deleteColumnSet", {omitted}).low, 1u) << "an empty set is done";
}

TEST_F(DataSourceCommandsTest, SortFindAndReplaceCountFromOneAndTellWhatTheyDid) {
    const char* texts[] = {"标题", "旧b", "2", "旧a"};
    for (int row = 0; row < 4; ++row) table.source.setCellText(row, 0, texts[row]);
    table.source.setCellText(0, 2, "旧");
    auto column = [this] {
        std::vector<std::string> result;
        for (int row = 0; row < 4; ++row) result.push_back(table.text(row, 0));
        return result;
    };

    const Value sorted = call("sortRows", {integer(2), integer(4), integer(1), integer(1)});
    EXPECT_EQ(sorted.type, rt::tagOf(rt::ValueType::Logical));
    EXPECT_EQ(sorted.low, 1u);
    EXPECT_EQ(column(), (std::vector<std::string>{"标题", "旧b", "旧a", "2"}));
    EXPECT_EQ(call("sortRows", {integer(5), integer(9), integer(1)}).low, 0u) << "a first row past the end";
    // Column 2 is empty throughout, so the second pair decides.
    EXPECT_EQ(call("sortRows", {integer(1), integer(4), integer(2), integer(0), integer(1), integer(1)}).low, 1u);
    EXPECT_EQ(column(), (std::vector<std::string>{"旧b", "旧a", "标题", "2"}));

    EXPECT_EQ(integerResult("findText", {Value::text("旧"), integer(0)}), 3);
    EXPECT_EQ(integerResult("findText", {Value::text("旧"), integer(0), integer(1), integer(1), integer(4)}), 2);
    EXPECT_EQ(integerResult("findText", {Value::text("旧."), omitted}), 0) << "flags left out: plain text";
    EXPECT_EQ(integerResult("findText", {Value::text("旧."), integer(2 | 4)}), 2);
    EXPECT_EQ(integerResult("findText", {Value::text("("), integer(4)}), -1);
    EXPECT_EQ(integerResult("replaceText", {Value::text(""), Value::text("x"), integer(0)}), -1);

    EXPECT_EQ(integerResult("replaceText", {Value::text("旧"), Value::text("新"), integer(0), integer(1), integer(1),
                                            integer(4), integer(1)}),
              2);
    EXPECT_EQ(column(), (std::vector<std::string>{"新b", "新a", "标题", "2"}));
    EXPECT_EQ(table.text(2, 2), "旧") << "outside the range, moved with its row";
}

TEST_F(DataSourceCommandsTest, EveryCommandNameIsUnique) {
    std::map<std::string_view, int> seen;
    for (const grid::NamedCommand& command : grid::dataSourceCommands()) ++seen[command.name];
    EXPECT_EQ(seen.size(), 48u);
    for (auto [name, count] : seen) EXPECT_EQ(count, 1) << name;
}

}  // namespace
