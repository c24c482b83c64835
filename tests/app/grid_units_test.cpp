// The main window's table units working together: the provider's counts, the data
// source's navigation bar, the grid's properties and events reaching the status bar.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QToolButton>
#include <functional>

#include "app/application.h"
#include "app/document/document_commands.h"
#include "app/document/new_table.h"
#include "app/units/data_source_ref.h"
#include "app/window_ids.h"
#include "grid/model/data_source_commands.h"
#include "grid/units/data_src_unit.h"
#include "grid/view/grid_widget.h"
#include "runtime/value/call.h"
#include "runtime/value/file_name.h"
#include "runtime/value/owned.h"
#include "runtime/window/loaded_window.h"
#include "runtime/window/unit_access.h"
#include "runtime/window/unit_properties.h"
#include "runtime/window/window_runtime.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace app;

rt::CommandRoutine dataSourceCommand(std::string_view name) {
    for (const grid::NamedCommand& command : grid::dataSourceCommands()) {
        if (command.name == name) return command.routine;
    }
    return nullptr;
}

class GridUnitsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { initialiseRuntime(); }
    void SetUp() override {
        ASSERT_TRUE(runtime.loadWindow(window_id::MainWindow));
        runtime.setRoutineObserver([this](int32_t routine, const rt::EventArguments&) {
            called.push_back(runtime.routineNames().at(static_cast<size_t>(routine)));
        });
    }
    void TearDown() override {
        runtime.setRoutineObserver(nullptr);
        runtime.destroyWindow(window_id::MainWindow);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    grid::DataSrcUnit& dataSourceUnit() {
        return dynamic_cast<grid::DataSrcUnit&>(*runtime.loadedUnit(window_id::MainWindow, main_unit::DataSource));
    }
    grid::GridWidget& gridWidget() {
        return *qobject_cast<grid::GridWidget*>(runtime.loadedUnit(window_id::MainWindow, main_unit::Grid)->widget());
    }

    rt::WindowRuntime& runtime = rt::WindowRuntime::instance();
    rt::UnitAccess provider{window_id::MainWindow, main_unit::Provider};
    std::vector<std::string> called;
};

TEST_F(GridUnitsTest, ProviderCountsAreTheTablesAndResizeIt) {
    grid::DataSrc& source = dataSourceUnit().dataSource();
    EXPECT_EQ(provider.integer(rt::kFirstOwnProperty), source.rowCount());
    EXPECT_EQ(provider.integer(rt::kFirstOwnProperty + 1), source.columnCount());
    provider.setInteger(rt::kFirstOwnProperty, 30);
    provider.setInteger(rt::kFirstOwnProperty + 1, -3);
    EXPECT_EQ(dataSourceUnit().dataSource().rowCount(), 30);
    EXPECT_EQ(dataSourceUnit().dataSource().columnCount(), 0);
}

TEST_F(GridUnitsTest, DataSourceCommandsReachTheTableTheGridShows) {
    const rt::Value dataSource = rt::UnitRef{window_id::MainWindow, main_unit::DataSource, rt::unit_kind::DataSrc}.toValue();
    rt::callCommand(dataSourceCommand("setCellText"), {dataSource, rt::Value::integer(2), rt::Value::integer(3),
                                                       rt::Value::text("表格")});
    rt::OwnedText text(rt::callCommand(dataSourceCommand("getCellText"),
                                       {dataSource, rt::Value::integer(2), rt::Value::integer(3)}));
    EXPECT_EQ(text.view(), "表格");
    EXPECT_EQ(gridWidget().dataSource(), &dataSourceUnit().dataSource());
}

TEST_F(GridUnitsTest, NavigationButtonsMoveAddAndDelete) {
    grid::DataSrcUnit& unit = dataSourceUnit();
    grid::DataSrc& source = unit.dataSource();
    QList<QToolButton*> buttons = unit.widget()->findChildren<QToolButton*>();
    ASSERT_EQ(buttons.size(), 6);
    EXPECT_EQ(buttons[0]->width(), 22);

    const int32_t rows = source.rowCount();
    ASSERT_GT(rows, 2);
    buttons[2]->click();  // next
    EXPECT_EQ(source.currentRow(), 1);
    buttons[3]->click();  // last
    EXPECT_EQ(source.currentRow(), rows - 1);
    buttons[2]->click();  // next at the end moves nowhere
    EXPECT_EQ(source.currentRow(), rows - 1);
    buttons[4]->click();  // add
    EXPECT_EQ(source.rowCount(), rows + 1);
    EXPECT_EQ(source.currentRow(), rows);
    buttons[0]->click();  // first
    buttons[5]->click();  // delete
    EXPECT_EQ(source.rowCount(), rows);
    EXPECT_EQ(source.currentRow(), 0);

    rt::UnitAccess dataSource(window_id::MainWindow, main_unit::DataSource);
    dataSource.setLogical(rt::kFirstOwnProperty + 1, true);  // read-only
    EXPECT_FALSE(buttons[4]->isEnabled());
    EXPECT_FALSE(buttons[5]->isEnabled());
    EXPECT_TRUE(buttons[2]->isEnabled());
    dataSource.setLogical(rt::kFirstOwnProperty + 1, false);
    dataSource.setLogical(rt::kFirstOwnProperty + 3, false);  // delete not allowed
    EXPECT_TRUE(buttons[4]->isEnabled());
    EXPECT_FALSE(buttons[5]->isEnabled());
    EXPECT_EQ(dataSource.text(rt::kFirstOwnProperty), "通用提供者1");
}

TEST_F(GridUnitsTest, GridPropertiesReadAndWrite) {
    rt::UnitAccess grid(window_id::MainWindow, main_unit::Grid);
    EXPECT_EQ(grid.text(rt::kFirstOwnProperty), "数据源1");
    EXPECT_EQ(grid.integer(rt::kFirstOwnProperty + 2), 0xFFFFFF);
    EXPECT_EQ(grid.integer(rt::kFirstOwnProperty + 3), 100);
    grid.setInteger(rt::kFirstOwnProperty + 3, 5000);
    EXPECT_EQ(grid.integer(rt::kFirstOwnProperty + 3), 1000);
    EXPECT_TRUE(grid.logical(rt::kFirstOwnProperty + 9));
}

TEST_F(GridUnitsTest, SelectionEventsFillTheStatusPanes) {
    grid::GridWidget& widget = gridWidget();
    auto centreOf = [&](int32_t row, int32_t column) {
        return widget.layout().rangeRect({row, column, 1, 1}).center();
    };
    // Row 2, column 3 as the user counts, then a drag to row 4, column 5.
    QTest::mousePress(widget.viewport(), Qt::LeftButton, {}, centreOf(1, 2));
    QTest::mouseMove(widget.viewport(), centreOf(3, 4));
    QTest::mouseRelease(widget.viewport(), Qt::LeftButton, {}, centreOf(3, 4));
    rt::UnitAccess status(window_id::MainWindow, main_unit::StatusBar);
    EXPECT_EQ(status.text(rt::kFirstOwnProperty, 0), "行:2 列:3");
    EXPECT_EQ(status.text(rt::kFirstOwnProperty, 1), "行数:3 列数:3");
    EXPECT_NE(std::find(called.begin(), called.end(), "showCurrentCell"), called.end());
    EXPECT_NE(std::find(called.begin(), called.end(), "showSelectionSize"), called.end());
}

TEST_F(GridUnitsTest, EveryNewOrOpenedTableStartsAtItsFirstCellAndSaysSo) {
    rt::UnitAccess status(window_id::MainWindow, main_unit::StatusBar);
    auto panes = [&] { return status.text(rt::kFirstOwnProperty, 0) + "|" + status.text(rt::kFirstOwnProperty, 1); };
    EXPECT_EQ(panes(), "行:1 列:1|行数:1 列数:1") << "at start-up";

    grid::GridWidget& widget = gridWidget();
    TempDir folder;
    const std::string table = rt::textFromPath(folder.path() / "other.bge");
    ASSERT_TRUE(mainDataSource().saveToFile(table));
    const std::pair<const char*, std::function<void()>> changes[] = {
        {"an opened table", [&] { ASSERT_TRUE(openTableFile(table)); }},
        {"a new table", [] { newTable(); }},
    };
    for (const auto& [what, change] : changes) {
        QTest::mouseClick(widget.viewport(), Qt::LeftButton, {}, widget.layout().rangeRect({3, 4, 1, 1}).center());
        ASSERT_EQ(panes(), "行:4 列:5|行数:1 列数:1") << what;
        change();
        EXPECT_EQ(widget.selectedRange(), (grid::CellRange{0, 0, 1, 1})) << what;
        EXPECT_EQ(panes(), "行:1 列:1|行数:1 列数:1") << what;
    }
}

}  // namespace
