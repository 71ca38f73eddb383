#pragma once

#include <QPrinterInfo>
#include <QString>
#include <functional>

#include "report/report_pdf.h"

class QWidget;

namespace zvc {

class Frontend;

enum class ReportDestination { kDefaultPrinter, kPdfFile };

// Without an installed printer a report can still be kept as a PDF file.
ReportDestination reportDestination(const QPrinterInfo& defaultPrinter);

// A file name for the PDF, empty when the user gave none.
using PdfFileChooser = std::function<QString(QWidget* parent)>;
// The save dialog; ".pdf" is appended to a name without extension.
QString askPdfFileName(QWidget* parent);

struct ReportOutput {
  QPrinterInfo printer = QPrinterInfo::defaultPrinter();
  PdfFileChooser choosePdfFile = askPdfFileName;
  // The report is looked at first and printed, sent to another printer or written as a PDF from
  // there; without the preview it goes out at once.
  bool preview = true;
};

bool printReport(const Report& report, const QPrinterInfo& printer,
                 const ReportPageProgress& progress = {});
bool previewReport(const Report& report, const QPrinterInfo& printer, QWidget* parent,
                   Frontend& frontend);

// Opens the print preview of `output`'s printer (a PDF file where there is no printer). Without
// the preview: prints on the printer of `output`, or into the PDF file its chooser names when
// there is no printer, with a progress window over `parent`. A failure shows the error "Ошибка
// печати данных". False when nothing was printed, a declined file choice or a closed preview
// included.
bool sendReport(const Report& report, QWidget* parent, Frontend& frontend,
                const ReportOutput& output = {});

}  // namespace zvc
