#include "report/report_pdf.h"

#include <QPdfWriter>

namespace zvc {

bool writeReportPdf(const Report& report, const QString& fileName,
                    const ReportPageProgress& progress) {
  QPdfWriter writer(fileName);
  writer.setCreator("zvc");
  writer.setTitle(report.pageHeader());
  return report.render(writer, progress);
}

}  // namespace zvc
