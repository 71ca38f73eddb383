#pragma once

#include "cli/command.h"

namespace zvc::cli {

// passport day|month: the daily or monthly gas-quality passport of a run, read from the
// controller with the checks of zvc and written as its spreadsheet.
class PassportCommand : public Command {
 public:
  int run(CommandContext& context) override;
};

}  // namespace zvc::cli
