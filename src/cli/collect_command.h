#pragma once

#include "cli/command.h"

namespace zvc::cli {

// collect: every subscriber of the address books, each archive from where its last collection
// ended up to now, saved in the program's own files under OUT/<subscriber>/<kind>/; a summary
// table on stdout.
class CollectCommand : public Command {
 public:
  int run(CommandContext& context) override;
};

}  // namespace zvc::cli
