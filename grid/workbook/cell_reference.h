#pragma once

#include <orcus/spreadsheet/import_interface.hpp>

namespace grid::workbook {

// References in a workbook's A1 notation ("B3", "$A$1", "A1:C4", "A:C", "2:5"), as
// the library asks for them while reading merged ranges, panes and selections. A
// reference of any other form (an empty selection, say, which some writers leave) is
// the first cell: refusing it would make the library drop the whole sheet, and a
// one-cell range merges nothing.
class CellReferences : public orcus::spreadsheet::iface::import_reference_resolver {
public:
    orcus::spreadsheet::src_address_t resolve_address(std::string_view address) override;
    orcus::spreadsheet::src_range_t resolve_range(std::string_view range) override;
};

}  // namespace grid::workbook
