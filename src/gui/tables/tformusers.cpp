#include "gui/tables/tformusers.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/tables/tformpassword.h"
#include "gui/widgets/choice_box.h"

namespace zvc {
namespace {

constexpr int kNameColumn = 1;
constexpr int kLevelColumn = 2;
constexpr int kSecretsColumn = 3;

QLabel* heading(QWidget* parent, const char* text) {
  auto* label = new QLabel(QString::fromUtf8(text), parent);
  label->setAlignment(Qt::AlignCenter);
  return label;
}

void wipeSecrets(UsersTableInput& input) {
  for (UserRowInput& row : input) {
    wipeSecret(row.password);
    wipeSecret(row.code);
  }
}

}  // namespace

TFormUsers::TFormUsers(UsersTableBytes table, SectionMode mode, Frontend& frontend, QWidget* parent)
    : SectionDialog(mode, frontend, parent), table_(table), edited_(usersTableInput(table)) {
  setObjectName("FormUsers");
  setWindowTitle("Доступ пользователей к записи в контроллер");
  auto* grid = new QGridLayout;
  grid->addWidget(heading(this, "Имя \nпользователя\n(до 4 символов)"), 0, kNameColumn);
  grid->addWidget(heading(this, "Уровень\nдоступа"), 0, kLevelColumn);
  grid->addWidget(heading(this, "Идентификатор\nпароль\nпользователя,"), 0, kSecretsColumn);
  for (int slot = 0; slot < kUserSlots; ++slot) addRow(grid, slot);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  addButtonRow(layout);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

TFormUsers::~TFormUsers() {
  wipeSecrets(edited_);
}

void TFormUsers::addRow(QGridLayout* grid, int slot) {
  const UserRowInput& row = edited_[slot];
  const int at = slot + 1;
  grid->addWidget(new QLabel(QString::number(slot + 1), this), at, 0, Qt::AlignRight);
  const QByteArray suffix = QByteArray::number(slot);
  names_[slot] =
      textField(this, ("name" + suffix).constData(), row.name, static_cast<int>(kUserNameSize));
  levels_[slot] = choiceBox(this, ("level" + suffix).constData(), accessLevelTexts(),
                            row.level < kUserLevels ? std::optional(row.level) : std::nullopt);
  secrets_[slot] = new QPushButton("Ввести", this);
  secrets_[slot]->setObjectName(QString::fromLatin1("secrets" + suffix));
  secrets_[slot]->setAutoDefault(false);
  secrets_[slot]->setEnabled(row.level != kNoAccess);
  grid->addWidget(names_[slot], at, kNameColumn);
  grid->addWidget(levels_[slot], at, kLevelColumn);
  grid->addWidget(secrets_[slot], at, kSecretsColumn);
  connect(levels_[slot], &QComboBox::currentIndexChanged, this,
          [this, slot](int level) { secrets_[slot]->setEnabled(level > kNoAccess); });
  connect(secrets_[slot], &QPushButton::clicked, this, [this, slot] { openPassword(slot); });
}

void TFormUsers::openPassword(int slot) {
  TFormPassword(edited_[slot].password, edited_[slot].code, frontend(), this).exec();
}

std::optional<InputError> TFormUsers::store() {
  UsersTableInput input = edited_;
  for (int slot = 0; slot < kUserSlots; ++slot) {
    input[slot].name = textOf(names_[slot]);
    input[slot].level = choiceOf(levels_[slot]).value_or(kNoAccess);
  }
  std::optional<InputError> error = acceptUsersTable(input, table_);
  wipeSecrets(input);
  return error;
}

}  // namespace zvc
