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
  if (context.options.userChange) return changeUser(context, tables, *context.options.userChange);
  if (!readUsersTable(tables)) return kExitLinkFailed;
  printUsers(usersTable(tables), context.out);
  wipeSecret(usersTable(tables));
  return kExitSuccess;
}

}  // namespace zvc::cli
