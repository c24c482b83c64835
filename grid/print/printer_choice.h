#pragma once

#include <QList>
#include <QPrinterInfo>
#include <string>

#include "grid/model/page_geometry.h"
#include "grid/model/page_settings.h"

class QPrinter;

namespace grid {

// The printers the page setup lists and printing chooses from: every printer the
// system's print service knows.
QList<QPrinterInfo> installedPrinters();

// The printer a table's settings choose: the one named printerName (GBK) when it is
// installed, else the default printer, else the first one; a null info when the
// machine has no printer at all.
QPrinterInfo chosenPrinter(const std::string& printerName);

// Gives the printer the settings' paper size (a paper code: 9 A4, 8 A3, 11 A5, 1
// Letter, ...; 0 keeps the printer's own) and orientation (2 landscape, otherwise
// portrait). Output to a file always gets a paper: A4 when the code names none.
void applyPaperSettings(QPrinter& printer, const PageSettings& settings);

// The paper as the printer draws on it, in 0.1 mm: its size and the strips the
// printer cannot reach, measured from its page layout.
PaperMetrics paperMetricsOf(const QPrinter& printer);

// The paper the settings print on, found without starting a job: the chosen
// printer's paper and unprintable strips, or, when printing to a file or without
// any printer, the settings' paper printable to its edges (A4 unless a paper code
// says otherwise), so the preview shows what the file will hold.
PaperMetrics paperMetricsFor(const PageSettings& settings);

}  // namespace grid
