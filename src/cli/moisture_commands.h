#pragma once

#include <filesystem>
#include <string>

#include "cli/command.h"
#include "cli/period_options.h"
#include "core/archives/moisture_archives.h"

namespace zvc::cli {

// moist-meas, moist-hour and moist-day: a moisture-meter archive read for a period, then saved
// in the program's file or printed as `show` prints such a file.
class MoistureReadCommand : public Command {
 public:
  explicit MoistureReadCommand(MoistureArchive archive) : archive_(archive) {}
  CommandHelp help() const override;
  void declare(OptionDeclarations& options) const override;
  void accept(const GivenArguments& given) override;
  int run(CommandContext& context) override;
  const PeriodRequest& request() const { return request_; }

 private:
  MoistureArchive archive_;
  PeriodRequest request_;
};

// show of a saved moisture-meter file (.mwm, .hwm, .dwm): the caption, the four caption lines
// above the columns and one line per record, cells separated by TAB.
int showMoistureFile(CommandContext& context, const std::filesystem::path& file);

// print of a saved moisture-meter file: its printed report as a PDF.
int printMoistureFile(CommandContext& context, const std::filesystem::path& file,
                      const std::string& pdfFile);

}  // namespace zvc::cli
