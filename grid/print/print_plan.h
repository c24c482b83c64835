#pragma once

#include <cstdint>
#include <vector>

#include "grid/model/page_geometry.h"
#include "grid/model/page_layout.h"
#include "grid/model/page_settings.h"

namespace grid {

class DataProvider;

// What printing a table on one paper comes to, shared by the preview, the printer
// and PDF so that all three show the same pages.
struct PrintPlan {
    PaperMetrics paper;
    PageSettings settings;
    // Where the table goes, from the printable area's top-left corner (0.1 mm).
    PageRect printRect;
    // Percent; every length of the table is drawn at this scale.
    int32_t scale = 100;
    // The body height a page holds at that scale, below the title rows (0.1 mm of
    // the table); what the repeated last row fills on the last page.
    int64_t bodyHeight = 0;
    std::vector<PageEntry> pages;
};

PrintPlan planPrint(const DataProvider& table, const PageSettings& settings, const PaperMetrics& paper);

}  // namespace grid
