#include "cli/users_command.h"

#include <iostream>

#include "cli/controller_session.h"
#include "cli/exit_status.h"
#include "core/common/format.h"
#include "core/tables/users_table.h"

namespace zvc::cli {
namespace {

constexpr int kInputErrorKind = 2;

void printUsers(ConstUsersTableBytes table, TextOutput& out) {
  for (int slot = 0; slot < kUserSlots; ++slot) {
    const UserRecord user = userRecord(table, slot);
    out.line(format("%d\t", slot + 1) + userName(user) + "\t" +
             std::string(accessLevelText(user.level)));
  }
}

// The new password and code, one a line on stdin; a script gives each once, so each is its own
// confirmation.
PasswordInput secretsFromStdin() {
  PasswordInput secrets;
  if (std::getline(std::cin, secrets.password)) std::getline(std::cin, secrets.code);
  secrets.passwordAgain = secrets.password;
  secrets.codeAgain = secrets.code;
  return secrets;
}

int changeUser(CommandContext& context, TableService& tables, const UserChangeRequest& request) {
  UserChangeInput input;
  input.slot = request.slot;
  input.level = request.level;
  if (request.level != kNoAccess) input.secrets = secretsFromStdin();
  bool refused = false;
  const bool written = changeOneUser(tables, [&](UsersTableBytes table) -> std::optional<int> {
    input.name = request.name.value_or(userName(userRecord(table, request.slot)));
    const std::optional<PasswordRefusal> refusal = applyUserChange(input, table);
    if (!refusal) return request.slot;
    refused = true;
    context.frontend.showMessage(kInputErrorKind, refusal->error.line1, refusal->error.line2);
    return std::nullopt;
  });
  wipeSecret(input.secrets);
  wipeSecret(usersTable(tables));
  if (refused) return kExitBadInput;
  return written ? kExitSuccess : kExitLinkFailed;
}

}  // namespace

int UsersCommand::run(CommandContext& context) {
  ControllerSession session(context.folder, context.frontend, context.errors);
  if (const int status = session.open(context.options.link); status != kExitSuccess) return status;
  TableService& tables = session.tables();
  if (change_) return changeUser(context, tables, *change_);
  if (!readUsersTable(tables)) return kExitLinkFailed;
  printUsers(usersTable(tables), context.out);
  wipeSecret(usersTable(tables));
  return kExitSuccess;
}

CommandHelp UsersCommand::help() const {
  return {"users", "the users table; change one user",
          "users\nusers --change SLOT --level 0..4 [--name NAME]",
          "The users table: \"slot<TAB>name<TAB>level\" (passwords and codes never shown).\n"
          "With --change one user is changed in the controller: the new password and code\n"
          "are read from stdin, one a line (an empty password is allowed); with\n"
          "--password-stdin the write password is the line before them."};
}

void UsersCommand::declare(OptionDeclarations& options) const {
  options.value("--change", "SLOT", "the user to change, slot 1..16");
  options.value("--level", "0..4", "the user's access level; 0 removes the user");
  options.value("--name", "NAME", "the user's name (the slot's own name is kept without --name)");
  declareLinkOptions(options);
}

void UsersCommand::accept(const GivenArguments& given) {
  expectWords(given, 0, 0, "users");
  const std::string* slot = given.single("--change");
  const std::string* level = given.single("--level");
  const std::string* name = given.single("--name");
  change_.reset();
  if (!slot) {
    if (level || name) throw Refusal{"--level and --name need --change"};
    return;
  }
  constexpr int kSlots = 16;
  constexpr int kHighestLevel = 4;
  UserChangeRequest request;
  const std::optional<int> slotNumber = digitsNumber<int>(*slot, kSlots);
  if (!slotNumber || *slotNumber == 0) throw Refusal{"--change: a slot 1..16 expected"};
  request.slot = *slotNumber - 1;
  const std::optional<int> levelNumber =
      level ? digitsNumber<int>(*level, kHighestLevel) : std::nullopt;
  if (!levelNumber) throw Refusal{"--level: 0..4 expected"};
  request.level = *levelNumber;
  if (name) request.name = *name;
  change_ = request;
}

}  // namespace zvc::cli
