#include "runtime/value/unit_registry.h"

#include <gtest/gtest.h>

#include "tests/runtime/error/report_in_child.h"

namespace {

TEST(UnitRegistry, FindsObjectsByWindowUnitAndKind) {
    int grid = 0;
    const rt::UnitRef mainGrid{0x52010001, 0x16010003, rt::unit_kind::Grid};
    rt::registerUnitObject(mainGrid, &grid);
    EXPECT_EQ(rt::findUnitObject(mainGrid), &grid);
    EXPECT_EQ(&rt::unitObjectAs<int>(mainGrid), &grid);
    // Same ids with another kind, or the same unit in another window, is another unit.
    EXPECT_EQ(rt::findUnitObject({0x52010001, 0x16010003, rt::unit_kind::DataSrc}), nullptr);
    EXPECT_EQ(rt::findUnitObject({0x52010002, 0x16010003, rt::unit_kind::Grid}), nullptr);
    rt::unregisterUnitObject(mainGrid);
    EXPECT_EQ(rt::findUnitObject(mainGrid), nullptr);
}

TEST(UnitRegistry, MissingUnitIsARuntimeError) {
    EXPECT_EQ(reportInChild([] { rt::unitObject({1, 2, rt::unit_kind::DataSrc}); }),
              rt::composeRuntimeErrorText("指定窗口或窗口组件不存在或尚未载入", 0));
}

}  // namespace
