#pragma once

#include "cli/command.h"

namespace zvc::cli {

// The printed report of a saved file, written as a PDF file.
class PrintCommand : public Command {
 public:
  int run(CommandContext& context) override;
};

}  // namespace zvc::cli
