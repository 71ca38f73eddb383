#pragma once

#include "cli/command.h"

namespace zvc::cli {

// The controller's clock beside the computer's, as the date-and-time dialog shows them; with
// --correct the correction of that dialog, with --set the computer's time written into table 2.
class ClockCommand : public Command {
 public:
  int run(CommandContext& context) override;
};

}  // namespace zvc::cli
