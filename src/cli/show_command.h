#pragma once

#include "cli/command.h"

namespace zvc::cli {

// A saved file as its view window shows it.
class ShowCommand : public Command {
 public:
  int run(CommandContext& context) override;
};

}  // namespace zvc::cli
