#pragma once

#include <QString>

#include "report/report.h"

namespace zvc {

// Renders the report into a PDF file; false when the file cannot be written.
bool writeReportPdf(const Report& report, const QString& fileName,
                    const ReportPageProgress& progress = {});

}  // namespace zvc
