#pragma once

#include <QGuiApplication>
#include <memory>

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
int writePdfOrTell(CommandContext& context, const Report& report);

// The printed report of a saved file, written as a PDF file.
class PrintCommand : public Command {
 public:
  int run(CommandContext& context) override;
};

}  // namespace zvc::cli
