#pragma once

#include <optional>
#include <string>

#include "cli/command.h"

namespace zvc::cli {

// users --change: one slot (0..15) of the users table; secrets come from stdin.
struct UserChangeRequest {
  int slot = 0;
  int level = 0;
  std::optional<std::string> name;  // the slot's own name when not given
  bool operator==(const UserChangeRequest&) const = default;
};

// The users table as "slot<TAB>name<TAB>level"; passwords and codes are never printed.
class UsersCommand : public Command {
 public:
  CommandHelp help() const override;
  void declare(OptionDeclarations& options) const override;
  void accept(const GivenArguments& given) override;
  int run(CommandContext& context) override;
  const std::optional<UserChangeRequest>& request() const { return change_; }

 private:
  std::optional<UserChangeRequest> change_;
};

}  // namespace zvc::cli
