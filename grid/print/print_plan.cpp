#include "grid/print/print_plan.h"

#include <algorithm>

#include "grid/model/data_provider.h"

namespace grid {

PrintPlan planPrint(const DataProvider& table, const PageSettings& settings, const PaperMetrics& paper) {
    PrintPlan plan;
    plan.paper = paper;
    plan.settings = settings;
    plan.printRect = printRectangle(paper, settings);
    int64_t tableWidth = 0;
    for (int32_t column = 0; column < table.columnCount(); ++column) tableWidth += table.columnWidth(column);
    plan.scale = printScale(settings, plan.printRect.width(),
                            static_cast<int32_t>(std::min<int64_t>(tableWidth, INT32_MAX)));
    plan.bodyHeight = int64_t{plan.printRect.height()} * 100 / plan.scale;
    const int32_t titleRows = std::clamp(table.fixedRows(), 0, table.rowCount());
    for (int32_t row = 0; row < titleRows; ++row) plan.bodyHeight -= table.rowHeight(row);
    plan.pages = layOutPages(table, settings, plan.printRect.width(), plan.printRect.height());
    return plan;
}

}  // namespace grid
