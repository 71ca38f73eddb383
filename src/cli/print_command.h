#pragma once

#include <QGuiApplication>
#include <memory>
#include <string>

#include "cli/command.h"
#include "report/report.h"

namespace zvc::cli {

// Reports are painted with Qt's fonts and PDF writer, which need a GUI application; the tool
// runs headless, so Qt gets its offscreen platform unless the caller chose one.
class HeadlessGuiApplication {
 public:
  HeadlessGuiApplication();

 private:
  int argc_ = 1;
  char name_[8] = "zvc-cli";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QGuiApplication> application_;
};

// The report into the --pdf file; "Ошибка печати данных" when it cannot be written.
int writePdfOrTell(CommandContext& context, const Report& report, const std::string& pdfFile);

// The printed report of a saved file, written as a PDF file.
class PrintCommand : public Command {
 public:
  CommandHelp help() const override;
  void declare(OptionDeclarations& options) const override;
  void accept(const GivenArguments& given) override;
  int run(CommandContext& context) override;
  const std::string& file() const { return file_; }
  const std::string& pdfFile() const { return pdfFile_; }

 private:
  std::string file_;
  std::string pdfFile_;
};

}  // namespace zvc::cli
