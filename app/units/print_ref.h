#pragma once

#include <string>

namespace app {

// The printing commands of the main data source and grid, as the routines call them.
class MainPrinting {
public:
    // The page setup on the table's settings: true when confirmed and stored.
    bool pageSetup() const;
    // Opens the print preview, or raises the one already open.
    void preview() const;
    // Prints with the progress dialog shown: empty on success or cancel, otherwise
    // the failure message (GBK).
    std::string print() const;
};

// Page settings travel in the table file: whenever the page setup (also the one the
// preview opens) stores changed settings, the document is marked modified and the
// table recorded for Undo. Installed once at start-up.
void watchPageSettingsChanges();

}  // namespace app
