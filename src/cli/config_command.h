#pragma once

#include "cli/command.h"

namespace zvc::cli {

// Configuration files: read the controller's into a file, make a new one, show one, compare two
// or one with the controller. Writing a configuration into a controller is left to zvc.
class ConfigCommand : public Command {
 public:
  int run(CommandContext& context) override;
};

}  // namespace zvc::cli
