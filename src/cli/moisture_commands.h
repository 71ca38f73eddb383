#pragma once

#include "cli/command.h"
#include "core/archives/moisture_archives.h"

namespace zvc::cli {

// moist-meas, moist-hour and moist-day: a moisture-meter archive read for a period, then saved
// in the program's file or printed as `show` prints such a file.
class MoistureReadCommand : public Command {
 public:
  explicit MoistureReadCommand(MoistureArchive archive) : archive_(archive) {}
  int run(CommandContext& context) override;

 private:
  MoistureArchive archive_;
};

// show of a saved moisture-meter file (.mwm, .hwm, .dwm): the caption, the four caption lines
// above the columns and one line per record, cells separated by TAB.
int showMoistureFile(CommandContext& context);

// print of a saved moisture-meter file: its printed report as a PDF.
int printMoistureFile(CommandContext& context);

}  // namespace zvc::cli
