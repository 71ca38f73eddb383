#include "gui/widgets/report_output.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>
#include <QWidget>

#include "core/ui/frontend.h"

namespace zvc {
namespace {

// Shows which page goes out while a report prints; closes with the job.
class PrintProgressWindow : public QWidget {
 public:
  PrintProgressWindow(QWidget* parent, Frontend& frontend)
      : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
        frontend_(frontend) {
    setWindowTitle("...");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Печать", this), 0, Qt::AlignCenter);
    bar_ = new QProgressBar(this);
    bar_->setTextVisible(false);
    layout->addWidget(bar_);
    setFixedWidth(320);
    show();
    frontend_.processEvents();
  }

  ReportPageProgress progress() {
    return [this](int page, int pages) {
      bar_->setMaximum(pages);
      bar_->setValue(page);
      frontend_.processEvents();
    };
  }

 private:
  Frontend& frontend_;
  QProgressBar* bar_;
};

}  // namespace

ReportDestination reportDestination(const QPrinterInfo& defaultPrinter) {
  return defaultPrinter.isNull() ? ReportDestination::kPdfFile : ReportDestination::kDefaultPrinter;
}

QString askPdfFileName(QWidget* parent) {
  QString name =
      QFileDialog::getSaveFileName(parent, "Сохранить отчет в файле PDF", QString(), "PDF (*.pdf)");
  if (!name.isEmpty() && QFileInfo(name).suffix().isEmpty()) name += ".pdf";
  return name;
}

bool printReport(const Report& report, const QPrinterInfo& printer,
                 const ReportPageProgress& progress) {
  QPrinter device(printer, QPrinter::HighResolution);
  device.setDocName(report.pageHeader());
  return report.render(device, progress) && device.printerState() != QPrinter::Error;
}

bool previewReport(const Report& report, const QPrinterInfo& printer, QWidget* parent,
                   Frontend& frontend) {
  QPrinter device(printer, QPrinter::HighResolution);
  if (printer.isNull()) device.setOutputFormat(QPrinter::PdfFormat);
  device.setDocName(report.pageHeader());
  QPrintPreviewDialog preview(&device, parent);
  preview.setWindowTitle("Предварительный просмотр");
  // Large enough to read a page, also where no window manager maximises it.
  if (const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen()) {
    preview.resize(screen->availableGeometry().size() * 0.9);
  }
  preview.setWindowState(Qt::WindowMaximized);
  bool rendered = true;
  QObject::connect(&preview, &QPrintPreviewDialog::paintRequested,
                   [&](QPrinter* target) { rendered = report.render(*target) && rendered; });
  const bool printed = preview.exec() == QDialog::Accepted;
  if (!rendered || (printed && device.printerState() == QPrinter::Error)) {
    frontend.showMessage(1, "Ошибка печати данных", "");
    return false;
  }
  return printed;
}

bool sendReport(const Report& report, QWidget* parent, Frontend& frontend,
                const ReportOutput& output) {
  if (output.preview) return previewReport(report, output.printer, parent, frontend);
  QString pdfFile;
  if (reportDestination(output.printer) == ReportDestination::kPdfFile) {
    pdfFile = output.choosePdfFile(parent);
    if (pdfFile.isEmpty()) return false;
  }
  bool printed = false;
  {
    PrintProgressWindow window(parent, frontend);
    printed = pdfFile.isEmpty() ? printReport(report, output.printer, window.progress())
                                : writeReportPdf(report, pdfFile, window.progress());
  }
  if (!printed) frontend.showMessage(1, "Ошибка печати данных", "");
  return printed;
}

}  // namespace zvc
