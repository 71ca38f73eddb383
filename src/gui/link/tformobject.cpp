#include "gui/link/tformobject.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/link/subscribers.h"
#include "core/ui/frontend.h"

namespace zvc {
namespace {
constexpr int kInputErrorKind = 2;
}  // namespace

TFormObject::TFormObject(std::string& name, Frontend& frontend, QWidget* parent)
    : QDialog(parent), name_(name), frontend_(frontend) {
  setWindowTitle(" Параметры объекта");
  field_ = new QLineEdit(QString::fromStdString(name), this);
  field_->setObjectName("name");
  field_->setMaxLength(static_cast<int>(kObjectNameChars));
  field_->setMinimumWidth(380);

  auto* accept = new QPushButton("Принять", this);
  auto* cancel = new QPushButton("Отменить", this);
  accept->setDefault(true);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(accept);
  buttons->addWidget(cancel);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel("Наименование объекта", this));
  layout->addWidget(new QLabel("(до 50 символов)", this));
  layout->addWidget(field_);
  layout->addLayout(buttons);

  connect(accept, &QPushButton::clicked, this, &TFormObject::acceptClicked);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TFormObject::acceptClicked() {
  if (const std::optional<InputError> error =
          acceptObjectName(field_->text().toStdString(), name_)) {
    frontend_.showMessage(kInputErrorKind, error->line1, error->line2);
    return;
  }
  accept();
}

}  // namespace zvc
