#pragma once

#include <QDialog>
#include <memory>

#include "core/tables/users_table.h"
#include "gui/tables/password_fields.h"

class QComboBox;
class QLineEdit;
class QListWidget;

namespace zvc {

class Frontend;

// "Доступ пользователей к записи в контроллер" from the main menu: one user of the controller's
// table chosen and changed (name, level, password and code) or removed ("Нет доступа").
// "Записать в устройство" checks the change against the table, stores the slot into it and
// closes accepted; the caller then writes that slot alone.
class TFormPass : public QDialog {
  Q_OBJECT

 public:
  TFormPass(UsersTableBytes table, Frontend& frontend, QWidget* parent = nullptr);
  ~TFormPass() override;

  // The slot (0..15) stored, once accepted.
  int slot() const;

 private:
  void showSlot(int slot);
  void WriteClick();

  UsersTableBytes table_;
  Frontend& frontend_;
  QListWidget* users_;
  QLineEdit* name_;
  QComboBox* level_;
  std::unique_ptr<PasswordFields> fields_;
};

}  // namespace zvc
