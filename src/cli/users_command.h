#pragma once

#include "cli/command.h"

namespace zvc::cli {

// The users table as "slot<TAB>name<TAB>level"; passwords and codes are never printed.
class UsersCommand : public Command {
 public:
  int run(CommandContext& context) override;
};

}  // namespace zvc::cli
