#pragma once

#include "cli/command.h"

namespace zvc::cli {

// clock: show the two clocks, correct the controller's, or write the computer's time into it.
enum class ClockAction { kShow, kCorrect, kSet };

// The controller's clock beside the computer's, as the date-and-time dialog shows them; with
// --correct the correction of that dialog, with --set the computer's time written into table 2.
class ClockCommand : public Command {
 public:
  CommandHelp help() const override;
  void declare(OptionDeclarations& options) const override;
  void accept(const GivenArguments& given) override;
  int run(CommandContext& context) override;
  ClockAction request() const { return action_; }

 private:
  ClockAction action_ = ClockAction::kShow;
};

}  // namespace zvc::cli
