#include "gui/tables/users_menu.h"

#include "gui/app/gui_frontend.h"
#include "gui/tables/tformpass.h"
#include "gui/tables/tformusers.h"

namespace zvc {

void changeControllerUser(const MainWindowContext& context) {
  changeOneUser(context.tables, [&](UsersTableBytes table) -> std::optional<int> {
    TFormPass dialog(table, context.frontend, context.window);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.slot();
  });
}

bool confirmUsersTable(const MainWindowContext& context, UsersTableBytes users) {
  TFormUsers dialog(users, SectionMode::kWrite, context.frontend, context.window);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace zvc
