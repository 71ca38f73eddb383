#pragma once

#include <QDialog>
#include <array>
#include <cstdint>
#include <memory>

#include "core/tables/users_table.h"
#include "gui/tables/password_fields.h"

namespace zvc {

class Frontend;

// "Идентификация пользователя программы" for one slot of the users table: its write password and
// identification code, each typed twice, masked. "Принять" stores them blank-padded into the
// slot's fields once both pairs agree and a code is given; "Выход" leaves them as they were.
class TFormPassword : public QDialog {
  Q_OBJECT

 public:
  TFormPassword(std::array<std::uint8_t, kUserPasswordSize>& password,
                std::array<std::uint8_t, kUserCodeSize>& code, Frontend& frontend,
                QWidget* parent = nullptr);
  ~TFormPassword() override;

 private:
  void AcceptClick();

  std::array<std::uint8_t, kUserPasswordSize>& password_;
  std::array<std::uint8_t, kUserCodeSize>& code_;
  Frontend& frontend_;
  std::unique_ptr<PasswordFields> fields_;
};

}  // namespace zvc
