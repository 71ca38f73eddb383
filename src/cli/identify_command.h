#pragma once

#include "cli/command.h"

namespace zvc::cli {

// The identification view of the controller, then its three names.
class IdentifyCommand : public Command {
 public:
  CommandHelp help() const override;
  void declare(OptionDeclarations& options) const override;
  void accept(const GivenArguments& given) override;
  int run(CommandContext& context) override;
};

}  // namespace zvc::cli
