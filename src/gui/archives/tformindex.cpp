#include "gui/archives/tformindex.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/app/archive_dialog_settings.h"
#include "core/ui/frontend.h"
#include "gui/widgets/dialog_layout.h"
#include "gui/widgets/enter_moves_focus.h"
#include "gui/widgets/field_key_filter.h"

namespace zvc {
namespace {

constexpr int kInputErrorKind = 2;
// Rows of the dialog's grid.
constexpr int kFirstBoundRow = 0;
constexpr int kChoiceRow = 2;
constexpr int kFirstRangeRow = 3;

QString proposedText(const std::optional<std::uint32_t>& value) {
  return value ? QString::number(*value) : QString();
}

QLineEdit* indexField(const char* name, QWidget* parent) {
  auto* field = new QLineEdit(parent);
  field->setObjectName(name);
  FieldKeyFilter::digitsOnly(field);
  return field;
}

}  // namespace

TFormIndex::TFormIndex(int mode, ArchiveBounds bounds, ArchiveDialogSettings& settings,
                       Frontend& frontend, QWidget* parent)
    : QDialog(parent), bounds_(bounds), settings_(settings), frontend_(frontend) {
  setWindowTitle(QString::fromUtf8(indexDialogCaption(mode)));

  accept_ = new QPushButton("Принять", this);
  auto* exit = new QPushButton("Выход", this);

  // One grid, so that the numbers above and below the choices stand in one column.
  auto* grid = new QGridLayout;
  addBoundRows(*grid);
  grid->addWidget(choiceGroup(), kChoiceRow, 0, 1, 2);
  addRangeRows(*grid);
  grid->setColumnStretch(1, 1);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addSpacing(8);
  layout->addLayout(centredButtonRow({accept_, exit}));
  layout->setSizeConstraint(QLayout::SetFixedSize);

  EnterMovesFocus::install(firstEdit_, countEdit_);
  EnterMovesFocus::install(countEdit_, accept_);
  connect(accept_, &QPushButton::clicked, this, &TFormIndex::AcceptClick);
  connect(exit, &QPushButton::clicked, this, &QDialog::reject);

  const int remembered = indexChoiceOrDefault(settings_.indexChoice());
  choices_->button(remembered)->setChecked(true);
  choose(remembered);
  connect(choices_, &QButtonGroup::idToggled, this, [this](int choice, bool checked) {
    if (checked) choose(choice);
  });
}

void TFormIndex::addBoundRows(QGridLayout& grid) {
  struct BoundRow {
    const char* caption;
    const char* valueName;
    std::uint32_t value;
  };
  const BoundRow rows[] = {{"Индекс самой старой записи", "LabelOldest", bounds_.oldest},
                           {"Индекс самой новой записи", "LabelNewest", bounds_.newest}};
  for (int row = 0; row < 2; ++row) {
    auto* value = new QLabel(QString::number(rows[row].value), this);
    value->setObjectName(rows[row].valueName);
    value->setFrameShape(QFrame::Panel);
    value->setFrameShadow(QFrame::Sunken);
    grid.addWidget(new QLabel(rows[row].caption, this), kFirstBoundRow + row, 0);
    grid.addWidget(value, kFirstBoundRow + row, 1);
  }
}

QWidget* TFormIndex::choiceGroup() {
  const RadioChoices choices = radioChoices(this, " Задание для чтения данных ", "RadioGroupIndex",
                                            "RadioIndex", kIndexChoiceCount, indexChoiceText);
  choices_ = choices.items;
  return choices.group;
}

void TFormIndex::addRangeRows(QGridLayout& grid) {
  firstEdit_ = indexField("EditFirst", this);
  countEdit_ = indexField("EditCount", this);
  grid.addWidget(new QLabel("Индекс записи начала чтения", this), kFirstRangeRow, 0);
  grid.addWidget(firstEdit_, kFirstRangeRow, 1);
  grid.addWidget(new QLabel("Количество записей для чтения", this), kFirstRangeRow + 1, 0);
  grid.addWidget(countEdit_, kFirstRangeRow + 1, 1);
}

void TFormIndex::choose(int choice) {
  settings_.setIndexChoice(static_cast<std::uint32_t>(choice));
  const IndexProposal proposal = proposeIndexRange(choice, bounds_);
  firstEdit_->setText(proposedText(proposal.first));
  countEdit_->setText(proposedText(proposal.count));
  firstEdit_->setEnabled(proposal.inputsEnabled);
  countEdit_->setEnabled(proposal.inputsEnabled);
  if (proposal.inputsEnabled) {
    firstEdit_->setFocus();
  } else {
    accept_->setFocus();
  }
}

void TFormIndex::AcceptClick() {
  const IndexCheck check =
      checkIndexInput(firstEdit_->text().toStdString(), countEdit_->text().toStdString(), bounds_);
  if (check.error) {
    frontend_.showMessage(kInputErrorKind, check.error->line1, check.error->line2);
    return;
  }
  first_ = check.first;
  count_ = check.count;
  accept();
}

}  // namespace zvc
