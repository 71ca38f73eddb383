#pragma once

#include "cli/command.h"

namespace zvc::cli {

// A range of fields of one table, each field as hex bytes.
class ReadTableCommand : public Command {
 public:
  int run(CommandContext& context) override;
};

}  // namespace zvc::cli
