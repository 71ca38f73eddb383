#include "gui/tables/tformpass.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/tables/parameter_section.h"
#include "core/ui/frontend.h"
#include "gui/widgets/choice_box.h"
#include "gui/widgets/dialog_layout.h"

namespace zvc {
namespace {

constexpr int kInputErrorKind = 2;

QString slotCaption(const UserRecord& user) {
  const std::string name = userName(user);
  return name.empty() ? QString("   --   ") : QString::fromStdString(name);
}

}  // namespace

TFormPass::TFormPass(UsersTableBytes table, Frontend& frontend, QWidget* parent)
    : QDialog(parent), table_(table), frontend_(frontend) {
  setObjectName("FormPass");
  setWindowTitle("Доступ пользователей к записи в контроллер");
  users_ = new QListWidget(this);
  users_->setObjectName("users");
  for (int slot = 0; slot < kUserSlots; ++slot)
    users_->addItem(slotCaption(userRecord(table, slot)));
  name_ = textField(this, "name", "", static_cast<int>(kUserNameSize));
  level_ = choiceBox(this, "level", accessLevelTexts(), std::nullopt);

  auto* write = new QPushButton(QString::fromUtf8(confirmCaption(SectionMode::kWrite)), this);
  write->setObjectName("confirm");
  auto* cancel = new QPushButton(QString::fromUtf8(kCancelCaption), this);
  cancel->setObjectName("cancel");
  for (QPushButton* button : {write, cancel}) button->setAutoDefault(false);
  fields_ = std::make_unique<PasswordFields>(this, write);

  auto* choice = new QVBoxLayout;
  choice->addWidget(new QLabel("Выбор пользователя\nдля коррекции", this));
  choice->addWidget(users_);
  auto* user = new QFormLayout;
  user->addRow("Имя пользователя", name_);
  user->addRow("Уровень допуска", level_);
  auto* edit = new QVBoxLayout;
  edit->addLayout(user);
  edit->addWidget(fields_->passwordGroup());
  edit->addWidget(fields_->codeGroup());
  auto* note = new QLabel(
      "Для удаления пользователя достаточно ввести уровень доступа \"Нет доступа\"", this);
  note->setWordWrap(true);
  edit->addWidget(note);
  auto* columns = new QHBoxLayout;
  columns->addLayout(choice);
  columns->addLayout(edit, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(columns);
  layout->addLayout(centredButtonRow({write, cancel}));

  connect(users_, &QListWidget::currentRowChanged, this, &TFormPass::showSlot);
  connect(write, &QPushButton::clicked, this, &TFormPass::WriteClick);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  users_->setCurrentRow(0);
  resize(640, 420);
}

TFormPass::~TFormPass() {
  fields_->clearAll();
}

int TFormPass::slot() const {
  return users_->currentRow();
}

void TFormPass::showSlot(int slot) {
  if (slot < 0) return;
  const UserRecord user = userRecord(table_, slot);
  name_->setText(QString::fromStdString(userName(user)));
  choose(level_, user.level < kUserLevels ? std::optional<int>(user.level) : std::nullopt);
  fields_->clearAll();
}

void TFormPass::WriteClick() {
  UserChangeInput change{slot(), textOf(name_), choiceOf(level_).value_or(kNoAccess),
                         fields_->input()};
  const std::optional<PasswordRefusal> refused = applyUserChange(change, table_);
  wipeSecret(change.secrets);
  if (refused) {
    frontend_.showMessage(kInputErrorKind, refused->error.line1, refused->error.line2);
    fields_->clearRefused(*refused);
    return;
  }
  accept();
}

}  // namespace zvc
