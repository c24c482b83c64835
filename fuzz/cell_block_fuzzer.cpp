// Any bytes pasted as a cell block onto a small table, with growing allowed.
#include <cstddef>
#include <cstdint>

#include "grid/format/cell_block.h"
#include "grid/provider/n_provider.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    grid::FixedTextMeasurer measurer(grid::kHeadlessLetterExtent);
    grid::NProvider provider(measurer);
    provider.setSize(3, 3);
    grid::DataSrc source;
    source.bindProvider(&provider);
    grid::pasteCellBlock(source, 2, 2, {data, size}, {.grow = true, .skipLockedCells = true});
    return 0;
}
