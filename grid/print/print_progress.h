#pragma once

#include <QString>

#include "grid/print/print_job.h"

class QWidget;

namespace grid {

// Runs a print job inside its progress dialog "正在打印，请稍候...": a status line, a
// bar and "中止打印(&C)". The dialog is modal, so nothing else starts a job while
// this one runs, and it is shown only when showProgress is set; the job runs the
// same way either way. The job's result: empty on success or cancel, else the
// failure message.
QString printWithProgress(const DataSrc& source, const PrintRequest& request, bool showProgress, QWidget* parent);

}  // namespace grid
