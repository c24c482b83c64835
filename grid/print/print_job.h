#pragma once

#include <QString>
#include <cstdint>

namespace grid {

class DataSrc;

// What a print job tells whoever watches it, and asks it between pages.
class PrintProgress {
public:
    virtual ~PrintProgress() = default;
    // The status line and how far the job is, 0-100.
    virtual void report(const QString& status, int percent) = 0;
    // Called between pages: true stops the job after the page just printed.
    virtual bool cancelled() = 0;
};

struct PrintRequest {
    QString documentName = QStringLiteral(u"报表");
    // The grid's line colour (0x00BBGGRR), which the border lines print in.
    uint32_t lineColor = 0;
};

// Prints the table with its page settings: every copy of every page of the layout,
// on the chosen printer or, with "print to file", into a PDF file. The PDF is written
// under a temporary name beside the target and takes the target's name only when the
// document is complete, so a failed or cancelled job leaves the older file alone.
// Returns an empty text on success and when cancelled, otherwise the failure message.
QString printTable(const DataSrc& source, const PrintRequest& request, PrintProgress* progress);

}  // namespace grid
