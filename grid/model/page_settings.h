#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace grid {

// Page and print settings kept with a table. Only the fields that the table file
// stores survive a save and load; the others return to these defaults.
struct PageSettings {
    int32_t marginLeft = 230;
    int32_t marginTop = 230;
    int32_t marginRight = 230;
    int32_t marginBottom = 230;
    int16_t pageNumberPosition = 0;
    int32_t copies = 1;
    int32_t firstPageNumber = 1;
    int32_t printToFile = 0;
    std::string printFileName;
    int32_t repeatLastRow = 0;
    int32_t addTableLines = 0;
    int32_t oddEvenMode = 0;
    int32_t printRange = 0;
    int32_t startPage = 1;
    int32_t endPage = 0;
    std::string printerName;
    std::vector<uint8_t> deviceMode;
    int16_t paperSize = 0;
    int16_t orientation = 1;
    int32_t rowsPerPage = 0;
    int16_t scale = 100;

    // The scale as printing uses it: -1 and -2 are the fit-to-width modes, anything
    // else is a percentage of 20..1000 (0 means 100).
    int16_t scaleForUse() const;
};

}  // namespace grid
