#pragma once

#include <array>
#include <optional>

#include "core/tables/users_table.h"
#include "gui/tables/section_dialog.h"

class QComboBox;
class QGridLayout;
class QLineEdit;
class QPushButton;

namespace zvc {

// "Доступ пользователей к записи в контроллер": the whole users table, sixteen rows of name,
// access level and a button to the slot's password and code (TFormPassword), the button usable
// while the row has a level. The confirm button applies the table rules; the table changes only
// when they hold.
class TFormUsers : public SectionDialog {
  Q_OBJECT

 public:
  TFormUsers(UsersTableBytes table, SectionMode mode, Frontend& frontend,
             QWidget* parent = nullptr);
  ~TFormUsers() override;

 protected:
  std::optional<InputError> store() override;

 private:
  void addRow(QGridLayout* grid, int slot);
  void openPassword(int slot);

  UsersTableBytes table_;
  UsersTableInput edited_;
  std::array<QLineEdit*, kUserSlots> names_{};
  std::array<QComboBox*, kUserSlots> levels_{};
  std::array<QPushButton*, kUserSlots> secrets_{};
};

}  // namespace zvc
