#include "gui/tables/tformpassword.h"

#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/ui/frontend.h"
#include "gui/widgets/dialog_layout.h"

namespace zvc {
namespace {

constexpr int kInputErrorKind = 2;

}  // namespace

TFormPassword::TFormPassword(std::array<std::uint8_t, kUserPasswordSize>& password,
                             std::array<std::uint8_t, kUserCodeSize>& code, Frontend& frontend,
                             QWidget* parent)
    : QDialog(parent), password_(password), code_(code), frontend_(frontend) {
  setWindowTitle("Идентификация пользователя программы");
  auto* accept = new QPushButton("Принять", this);
  accept->setObjectName("accept");
  auto* exit = new QPushButton("Выход", this);
  exit->setObjectName("exit");
  for (QPushButton* button : {accept, exit}) button->setAutoDefault(false);
  fields_ = std::make_unique<PasswordFields>(this, accept);

  UserRecord current{};
  current.password = password;
  current.code = code;
  std::string shownPassword = userPassword(current);
  std::string shownCode = userCode(current);
  fields_->fill(shownPassword, shownCode);
  wipeSecret(shownPassword);
  wipeSecret(shownCode);
  wipeSecret(current.password);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(fields_->passwordGroup());
  layout->addWidget(fields_->codeGroup());
  layout->addLayout(centredButtonRow({accept, exit}));
  layout->setSizeConstraint(QLayout::SetFixedSize);
  connect(accept, &QPushButton::clicked, this, &TFormPassword::AcceptClick);
  connect(exit, &QPushButton::clicked, this, &QDialog::reject);
}

TFormPassword::~TFormPassword() {
  fields_->clearAll();
}

void TFormPassword::AcceptClick() {
  PasswordInput typed = fields_->input();
  UserSecrets taken;
  const std::optional<PasswordRefusal> refused = checkPasswordInput(typed, taken);
  wipeSecret(typed);
  if (refused) {
    frontend_.showMessage(kInputErrorKind, refused->error.line1, refused->error.line2);
    fields_->clearRefused(*refused);
    return;
  }
  password_ = taken.password;
  code_ = taken.code;
  wipeSecret(taken.password);
  accept();
}

}  // namespace zvc
