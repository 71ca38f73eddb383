#pragma once

#include "cli/command.h"

namespace zvc::cli {

// The identification view of the controller, then its three names.
class IdentifyCommand : public Command {
 public:
  int run(CommandContext& context) override;
};

}  // namespace zvc::cli
