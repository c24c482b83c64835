// The grid's commands through the uniform call, and its properties 0-9.
#include "grid/view/grid_commands.h"

#include <gtest/gtest.h>

#include <string_view>

#include "tests/grid/view/grid_fixture.h"
#include "grid/view/grid_properties.h"
#include "runtime/value/unit_registry.h"

namespace {

using grid::GridProperty;
using grid::GridPropertyValue;

rt::CommandRoutine command(std::string_view name) {
    for (const auto& entry : grid::gridCommands()) {
        if (entry.name == name) return entry.routine;
    }
    ADD_FAILURE() << "no command " << name;
    return nullptr;
}

class GridUnit : public GridFixture {
public:
    GridUnit(int rows, int columns) : GridFixture(rows, columns) { rt::registerUnitObject(gridUnit, &grid); }
    ~GridUnit() { rt::unregisterUnitObject(gridUnit); }

    int32_t call(std::string_view name) {
        return static_cast<int32_t>(rt::callCommand(command(name), {gridUnit.toValue()}).low);
    }

    rt::UnitRef gridUnit{0x52010001, 0x33000001, rt::unit_kind::Grid};
};

TEST(GridCommandsTest, SelectionNumberedFromOne) {
    GridUnit table(10, 10);
    table.grid.selectCell(2, 3);
    table.grid.extendSelection(4, 1);
    EXPECT_EQ(table.call("getSelectionRow"), 3);
    EXPECT_EQ(table.call("getSelectionColumn"), 2);
    EXPECT_EQ(table.call("getSelectionRowCount"), 3);
    EXPECT_EQ(table.call("getSelectionColumnCount"), 3);
}

TEST(GridCommandsTest, FitToWindowWidth) {
    GridUnit table(5, 2);
    table.call("fitToWindowWidth");
    const grid::GridLayout layout = table.grid.layout();
    const int shownWidth = layout.columns().shown().back().end;
    EXPECT_NEAR(shownWidth, table.grid.viewport()->width(), 3);
    EXPECT_GT(table.grid.zoomX(), 1000);
    EXPECT_EQ(table.grid.zoomX(), table.grid.zoomY());
    // Far too wide for the window: the zoom stops at 20 %.
    table.source.setColumnWidth(0, 2, 100000);
    table.call("fitToWindowWidth");
    EXPECT_EQ(table.grid.zoomX(), 200);
}

TEST(GridPropertiesTest, ReadAndWrite) {
    GridFixture table(3, 3);
    grid::DataSrc other;
    grid::GridProperties properties(table.grid, [&](std::string_view name) -> grid::DataSrc* {
        return name == "数据源1" ? &table.source : name == "other" ? &other : nullptr;
    });
    struct Case {
        GridProperty property;
        GridPropertyValue written;
        GridPropertyValue read;
    } cases[] = {
        {GridProperty::LineColor, int32_t{0x0000FF}, int32_t{0x0000FF}},
        {GridProperty::BackColor, int32_t{0x00EEEEEE}, int32_t{0x00EEEEEE}},
        {GridProperty::Zoom, int32_t{150}, int32_t{150}},
        {GridProperty::Zoom, int32_t{5}, int32_t{20}},
        {GridProperty::Zoom, int32_t{5000}, int32_t{1000}},
        {GridProperty::MultiSelect, false, false},
        {GridProperty::HeadersShown, false, false},
        {GridProperty::GridLinesShown, int32_t{0}, false},
        {GridProperty::RowHeightsFixed, true, true},
        {GridProperty::ColumnWidthsFixed, int32_t{1}, true},
        {GridProperty::PasteMayGrow, false, false},
        {GridProperty::DataSource, std::string("other"), std::string("other")},
    };
    for (const Case& c : cases) {
        const int number = static_cast<int>(c.property);
        EXPECT_TRUE(properties.write(number, c.written)) << number;
        EXPECT_EQ(properties.read(number), c.read) << number;
    }
    EXPECT_EQ(table.grid.dataSource(), &other);
    EXPECT_EQ(table.grid.flags(), grid::GridFlags::kRowHeightsFixed | grid::GridFlags::kColumnWidthsFixed);
    // Back to the table's own data source before `other` goes away.
    EXPECT_TRUE(properties.write(0, std::string("数据源1")));
    EXPECT_EQ(table.grid.dataSource(), &table.source);
}

TEST(GridPropertiesTest, DefaultsAndRefusals) {
    GridFixture table(3, 3);
    grid::GridProperties properties(table.grid, nullptr);
    const GridPropertyValue defaults[] = {std::string(), int32_t{0}, int32_t{0xFFFFFF}, int32_t{100}, true,
                                          true, true, false, false, true};
    for (int number = 0; number < grid::kGridPropertyCount; ++number) {
        EXPECT_EQ(properties.read(number), defaults[number]) << number;
    }
    EXPECT_FALSE(properties.read(10));
    EXPECT_FALSE(properties.write(-1, int32_t{0}));
    EXPECT_FALSE(properties.write(3, std::string("200")));
    EXPECT_FALSE(properties.write(0, int32_t{1}));
    // A name that resolves to nothing unbinds the grid.
    EXPECT_TRUE(properties.write(0, std::string("数据源9")));
    EXPECT_EQ(table.grid.dataSource(), nullptr);
}

}  // namespace
