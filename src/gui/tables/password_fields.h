#pragma once

#include <string>

#include "core/tables/users_table.h"

class QGroupBox;
class QLineEdit;
class QWidget;

namespace zvc {

// The two masked pairs a user's password and code are entered in: " Пароль на запись " and
// " Код идентификации  пользователя ", each typed twice. Enter moves from the code to its
// confirmation, to the password, to its confirmation and then to `last`.
class PasswordFields {
 public:
  PasswordFields(QWidget* parent, QWidget* last);

  QGroupBox* passwordGroup() const { return passwordGroup_; }
  QGroupBox* codeGroup() const { return codeGroup_; }

  // Both pairs showing these values (trimmed).
  void fill(const std::string& password, const std::string& code);
  // What is typed; the caller wipes it after use.
  PasswordInput input() const;
  // After a refusal: the pair it names emptied and the first of them focused.
  void clearRefused(const PasswordRefusal& refusal);
  // Every field emptied, so the widgets keep no secret once the dialog closes.
  void clearAll();

 private:
  QGroupBox* passwordGroup_;
  QGroupBox* codeGroup_;
  QLineEdit* password_;
  QLineEdit* passwordAgain_;
  QLineEdit* code_;
  QLineEdit* codeAgain_;
};

}  // namespace zvc
