#include "gui/app/tformuser.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/ui/frontend.h"
#include "gui/widgets/choice_box.h"
#include "gui/widgets/dialog_layout.h"
#include "gui/widgets/enter_moves_focus.h"
#include "gui/widgets/field_key_filter.h"

namespace zvc {
namespace {

constexpr int kInputErrorKind = 2;

}  // namespace

TFormUser::TFormUser(Frontend& frontend, QWidget* parent) : QDialog(parent), frontend_(frontend) {
  setWindowTitle("Идентификация пользователя программы");

  code_ = maskedField(this, "userCode", kUserCodeChars);
  FieldKeyFilter::digitsOnly(code_);
  password_ = maskedField(this, "writePassword", kWritePasswordChars);

  auto* fields = new QGridLayout;
  fields->addWidget(new QLabel(" Код идентификации  пользователя", this), 0, 0);
  fields->addWidget(code_, 0, 1);
  fields->addWidget(new QLabel(" Пароль на запись в контроллер", this), 1, 0);
  fields->addWidget(password_, 1, 1);

  accept_ = new QPushButton("Принять", this);
  auto* exit = new QPushButton("Выход", this);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addSpacing(8);
  layout->addLayout(centredButtonRow({accept_, exit}));
  layout->setSizeConstraint(QLayout::SetFixedSize);

  // Enter in a field moves on instead of pressing a button.
  EnterMovesFocus::install(code_, password_);
  EnterMovesFocus::install(password_, accept_);
  connect(accept_, &QPushButton::clicked, this, &TFormUser::AcceptClick);
  connect(exit, &QPushButton::clicked, this, &QDialog::reject);
  code_->setFocus();
}

void TFormUser::AcceptClick() {
  Credentials taken;
  const auto error =
      acceptCredentials(code_->text().toStdString(), password_->text().toStdString(), taken);
  if (error) {
    frontend_.showMessage(kInputErrorKind, error->line1, error->line2);
    return;
  }
  credentials_ = taken;
  accept();
}

}  // namespace zvc
