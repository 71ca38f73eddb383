#include "cli/print_command.h"

#include <QByteArray>
#include <QFileInfo>
#include <QGuiApplication>
#include <memory>
#include <vector>

#include "cli/exit_status.h"
#include "cli/moisture_commands.h"
#include "cli/saved_files.h"
#include "core/archives/message_view.h"
#include "core/archives/moisture_files.h"
#include "core/archives/print_question.h"
#include "report/message_report.h"
#include "report/report_pdf.h"

namespace zvc::cli {
namespace {

constexpr int kErrorKind = 1;
constexpr int kFirstTextColumn = 1;

std::vector<MessageReportRow> reportRows(const MessageViewRows& view) {
  std::vector<MessageReportRow> rows(static_cast<std::size_t>(view.rowCount()));
  for (int row = 0; row < view.rowCount(); ++row) {
    for (std::size_t cell = 0; cell < rows[row].size(); ++cell) {
      rows[row][cell] =
          QString::fromStdString(view.text(row, kFirstTextColumn + static_cast<int>(cell)));
    }
  }
  return rows;
}

// As the PDF save dialog does: ".pdf" for a name without extension.
QString pdfFileName(const std::string& given) {
  QString name = QString::fromStdString(given);
  if (QFileInfo(name).suffix().isEmpty()) name += ".pdf";
  return name;
}

MessageReportKind reportKind(MessageFileKind kind) {
  return kind == MessageFileKind::kDiagnostic ? MessageReportKind::kDiagnostic
                                              : MessageReportKind::kIntervention;
}

}  // namespace

HeadlessGuiApplication::HeadlessGuiApplication() {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  application_ = std::make_unique<QGuiApplication>(argc_, argv_);
}

int writePdfOrTell(CommandContext& context, const Report& report, const std::string& pdfFile) {
  if (!writeReportPdf(report, pdfFileName(pdfFile))) {
    context.frontend.showMessage(kErrorKind, "Ошибка печати данных", "");
    return kExitBadInput;
  }
  return kExitSuccess;
}

int PrintCommand::run(CommandContext& context) {
  if (moistureFileFormatOf(file_) != nullptr) return printMoistureFile(context, file_, pdfFile_);
  const std::optional<OpenedFile> opened = openSavedFile(context, file_);
  if (!opened) return kExitBadInput;
  const MessageViewRows view(opened->kind, opened->messages.header, opened->messages.rows);
  // The organisation the print question would propose; zvc-cli does not change it.
  const std::string organisation =
      OrganisationTitle::load(organisationTitleFile(context.folder)).text();

  const HeadlessGuiApplication application;
  const MessageReport report(reportKind(opened->kind), opened->messages.header, reportRows(view),
                             QString::fromStdString(organisation));
  report.announceCut(context.frontend);
  return writePdfOrTell(context, report.buildReport(), pdfFile_);
}

CommandHelp PrintCommand::help() const {
  return {"print", "the printed report of a saved file, as a PDF", "print FILE --pdf OUT.pdf",
          "The printed report of a saved message or moisture-meter file (.ala, .aud, .mwm,\n"
          ".hwm, .dwm), as a PDF. The organisation line is the one stored in \"title.ini\" of\n"
          "the working folder."};
}

void PrintCommand::declare(OptionDeclarations& options) const {
  options.value("--pdf", "OUT.pdf", "the PDF file (\".pdf\" appended to a name without extension)");
}

void PrintCommand::accept(const GivenArguments& given) {
  file_ = expectWords(given, 1, 1, "print")[0];
  const std::string* pdf = given.single("--pdf");
  if (pdf == nullptr || pdf->empty()) throw Refusal{"print needs --pdf OUT.pdf"};
  pdfFile_ = *pdf;
}

}  // namespace zvc::cli
