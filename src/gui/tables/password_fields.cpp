#include "gui/tables/password_fields.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>

#include "gui/widgets/choice_box.h"
#include "gui/widgets/enter_moves_focus.h"
#include "gui/widgets/field_key_filter.h"

namespace zvc {
namespace {

QGroupBox* pairGroup(QWidget* parent, const char* caption, const char* first, QLineEdit* field,
                     const char* second, QLineEdit* again) {
  auto* group = new QGroupBox(QString::fromUtf8(caption), parent);
  auto* form = new QFormLayout(group);
  form->addRow(QString::fromUtf8(first), field);
  form->addRow(QString::fromUtf8(second), again);
  return group;
}

}  // namespace

PasswordFields::PasswordFields(QWidget* parent, QWidget* last)
    : password_(maskedField(parent, "password", kMaxUserPasswordCharacters)),
      passwordAgain_(maskedField(parent, "passwordAgain", kMaxUserPasswordCharacters)),
      code_(maskedField(parent, "code", kMaxUserCodeDigits)),
      codeAgain_(maskedField(parent, "codeAgain", kMaxUserCodeDigits)) {
  FieldKeyFilter::digitsOnly(code_);
  FieldKeyFilter::digitsOnly(codeAgain_);
  passwordGroup_ = pairGroup(parent, " Пароль на запись ", "Введите пароль", password_,
                             "Подтвердите пароль", passwordAgain_);
  codeGroup_ = pairGroup(parent, " Код идентификации  пользователя ", "Введите код", code_,
                         "Подтвердите код", codeAgain_);
  EnterMovesFocus::install(code_, codeAgain_);
  EnterMovesFocus::install(codeAgain_, password_);
  EnterMovesFocus::install(password_, passwordAgain_);
  EnterMovesFocus::install(passwordAgain_, last);
}

void PasswordFields::fill(const std::string& password, const std::string& code) {
  for (QLineEdit* field : {password_, passwordAgain_})
    field->setText(QString::fromStdString(password));
  for (QLineEdit* field : {code_, codeAgain_}) field->setText(QString::fromStdString(code));
}

PasswordInput PasswordFields::input() const {
  return {password_->text().toStdString(), passwordAgain_->text().toStdString(),
          code_->text().toStdString(), codeAgain_->text().toStdString()};
}

void PasswordFields::clearRefused(const PasswordRefusal& refusal) {
  if (refusal.clearPasswords) {
    password_->clear();
    passwordAgain_->clear();
    password_->setFocus();
  }
  if (refusal.clearCodes) {
    code_->clear();
    codeAgain_->clear();
    code_->setFocus();
  }
}

void PasswordFields::clearAll() {
  for (QLineEdit* field : {password_, passwordAgain_, code_, codeAgain_}) field->clear();
}

}  // namespace zvc
