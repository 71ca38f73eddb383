#pragma once

#include "cli/command.h"
#include "core/archives/calibration_archives.h"

namespace zvc::cli {

// calib and verif: a check archive read for a period, then saved in the program's file or
// printed as `show` prints such a file.
class CheckReadCommand : public Command {
 public:
  explicit CheckReadCommand(CheckArchive archive) : archive_(archive) {}
  int run(CommandContext& context) override;

 private:
  CheckArchive archive_;
};

// show of a saved calibration or verification file (.clb, .vrf): the caption, the two heading
// rows and one line per record, cells separated by TAB.
int showCheckFile(CommandContext& context);

// export of a saved calibration or verification file: the sheet its view writes.
int exportCheckFile(CommandContext& context);

}  // namespace zvc::cli
