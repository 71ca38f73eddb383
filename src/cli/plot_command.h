#pragma once

#include "cli/command.h"

namespace zvc::cli {

// plot FILE --param NAME[,NAME…] --png OUT.png [--size WxH] [--config FILE.cnf]: the chart window's
// chart of a saved chromatograph file, drawn offscreen into a PNG.
class PlotCommand : public Command {
 public:
  int run(CommandContext& context) override;
};

}  // namespace zvc::cli
