// Any bytes as a formula typed into a cell: evaluation never crashes, however deep
// the brackets or odd the bytes, and gives the same result twice.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "app/statistics/formula.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const app::FormulaCell cell = app::formulaCellOf(text);
    if (cell.expression.size() > text.size()) std::abort();
    if (app::evaluateFormula(cell.expression) != app::evaluateFormula(cell.expression)) std::abort();
    (void)app::evaluateFormula(text);
    return 0;
}
