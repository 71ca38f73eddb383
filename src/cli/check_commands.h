#pragma once

#include <filesystem>
#include <string>

#include "cli/command.h"
#include "cli/period_options.h"
#include "core/archives/calibration_archives.h"

namespace zvc::cli {

// calib and verif: a check archive read for a period, then saved in the program's file or
// printed as `show` prints such a file.
class CheckReadCommand : public Command {
 public:
  explicit CheckReadCommand(CheckArchive archive) : archive_(archive) {}
  CommandHelp help() const override;
  void declare(OptionDeclarations& options) const override;
  void accept(const GivenArguments& given) override;
  int run(CommandContext& context) override;
  const PeriodRequest& request() const { return request_; }

 private:
  CheckArchive archive_;
  PeriodRequest request_;
};

// show of a saved calibration or verification file (.clb, .vrf): the caption, the two heading
// rows and one line per record, cells separated by TAB.
int showCheckFile(CommandContext& context, const std::filesystem::path& file);

// export of a saved calibration or verification file: the sheet its view writes.
int exportCheckFile(CommandContext& context, const std::filesystem::path& file,
                    const std::string& xlsxFile);

}  // namespace zvc::cli
