#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "app/database/query_history.h"

namespace app {

// A cell block as getCellBlock returns it.
using CellBlockBytes = std::vector<uint8_t>;

// The application's document and run state; the table itself belongs to the provider.
struct AppState {
    std::string settingsPath;     // GBK text naming biaoge.ini
    std::string currentFilePath;  // the table file the document came from; empty for a new table
    std::string documentName;     // 表格N, or the opened file's name with extension
    int32_t modified = 0;
    int32_t databaseConnected = 0;
    int32_t newTableCounter = 0;  // never reset while the program runs
    // Undo states by the numbers the data source keeps them under, oldest first;
    // undoPosition counts from 1 and names the state the table shows.
    std::vector<int32_t> undoHistory;
    int32_t undoPosition = 0;
    CellBlockBytes copyBuffer;
    std::array<int32_t, 4> copyArea{};        // row, column, row count, column count
    std::array<int32_t, 4> dialogSelection{};  // the selection a dialog works on
    // The undo state of the table before the first filtering since the last undo of
    // the filter; 0 when there is none. It goes when another document is shown.
    int32_t filterSnapshot = 0;
    bool delimiterImporting = false;  // the mode the delimiter dialog opens in
    // The tables and queries confirmed in the query dialog, and the one passed
    // between the dialog and the command that opened it.
    QueryHistory queryHistory;
    std::string pendingQuery;
    // The sheets offered in the sheet dialog, and the one chosen there (from 1; 0
    // when the dialog was cancelled).
    std::vector<std::string> sheetChoices;
    int32_t chosenSheet = 0;
    int32_t savedZoom = 0;
    int32_t zoomPreviewed = 0;
};

// Makes a fresh state and registers the exit routine that frees it.
void createAppState();
// The one state; made on first use when start-up did not make it.
AppState& appState();

}  // namespace app
