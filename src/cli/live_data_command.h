#pragma once

#include "cli/command.h"

namespace zvc::cli {

// state and momentary: one poll of a live view, printed as its rows.
class LiveDataCommand : public Command {
 public:
  int run(CommandContext& context) override;
};

// watch: one line per poll until the count is reached or Ctrl-C.
class WatchCommand : public Command {
 public:
  int run(CommandContext& context) override;
};

}  // namespace zvc::cli
