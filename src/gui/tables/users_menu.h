#pragma once

#include "core/tables/users_table.h"
#include "gui/app/main_window_context.h"

namespace zvc {

// "Доступ пользователей к таблицам параметров": one user of the controller changed in TFormPass
// and that slot of table 4 written alone.
void changeControllerUser(const MainWindowContext& context);

// A restore of the users table alone: TFormUsers in write-to-device mode on the file's users
// section (352 bytes); true once the user confirmed a table that keeps the rules.
bool confirmUsersTable(const MainWindowContext& context, UsersTableBytes users);

}  // namespace zvc
