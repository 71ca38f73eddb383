#include "cli/users_command.h"

#include "cli/controller_session.h"
#include "cli/exit_status.h"
#include "core/common/format.h"
#include "core/tables/users_table.h"

namespace zvc::cli {

int UsersCommand::run(CommandContext& context) {
  ControllerSession session(context.folder, context.frontend, context.errors);
  if (const int status = session.open(context.options.link); status != kExitSuccess) return status;
  TableService& tables = session.tables();
  constexpr std::uint8_t kFirstReadFields = 11;
  if (!tables.readTableRange({kUsersTable, 0, kFirstReadFields}) ||
      !tables.readTableRange({kUsersTable, kFirstReadFields, kUserSlots - kFirstReadFields})) {
    return kExitLinkFailed;
  }
  const UsersTableBytes table = usersTable(tables);
  for (int slot = 0; slot < kUserSlots; ++slot) {
    const UserRecord user = userRecord(table, slot);
    context.out.line(format("%d\t", slot + 1) + userName(user) + "\t" +
                     std::string(accessLevelText(user.level)));
  }
  wipeSecret(table);
  return kExitSuccess;
}

}  // namespace zvc::cli
