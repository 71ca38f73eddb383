#include "gui/archives/tformperiod.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <initializer_list>

#include "core/app/archive_dialog_settings.h"
#include "core/archives/archive_dialogs.h"
#include "core/ui/frontend.h"
#include "gui/widgets/date_field.h"
#include "gui/widgets/dialog_layout.h"
#include "gui/widgets/field_key_filter.h"

namespace zvc {
namespace {

constexpr int kInputErrorKind = 2;
// What six bytes with the year counted from 2000 can hold.
const QDate kFirstDate(2000, 1, 1);
const QDate kLastDate(2255, 12, 31);

// An editable list 0..count-1 that also takes typed digits; two digits are enough for any
// value of the list.
QComboBox* timeField(const QString& name, int count, QWidget* parent) {
  auto* box = new QComboBox(parent);
  box->setObjectName(name);
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert);
  for (int value = 0; value < count; ++value) box->addItem(QString::number(value));
  box->lineEdit()->setMaxLength(2);
  FieldKeyFilter::digitsOnly(box);
  return box;
}

QDateEdit* dateField(const QString& name, QWidget* parent) {
  auto* field = new DateField(parent);
  field->setObjectName(name);
  field->setDateRange(kFirstDate, kLastDate);
  field->setCalendarPopup(true);
  return field;
}

Date3 dayOf(const QDate& date) {
  return {static_cast<std::uint8_t>(date.year() - kFirstDate.year()),
          static_cast<std::uint8_t>(date.month()), static_cast<std::uint8_t>(date.day())};
}

}  // namespace

TFormPeriod::TFormPeriod(ArchiveDialogSettings& settings, Frontend& frontend, QWidget* parent,
                         const DateTime6& now)
    : QDialog(parent), settings_(settings), frontend_(frontend), now_(now) {
  setWindowTitle(kPeriodDialogCaption);

  accept_ = new QPushButton("Принять", this);
  auto* exit = new QPushButton("Выход", this);

  auto* moments = new QHBoxLayout;
  moments->addWidget(momentGroup(" Начало периода ", "Begin", beginFields_));
  moments->addWidget(momentGroup(" Конец периода ", "End", endFields_));

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(moments);
  layout->addWidget(choiceGroup());
  layout->addSpacing(8);
  layout->addLayout(centredButtonRow({accept_, exit}));
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(accept_, &QPushButton::clicked, this, &TFormPeriod::AcceptClick);
  connect(exit, &QPushButton::clicked, this, &QDialog::reject);

  const int remembered = periodChoiceOrDefault(settings_.periodChoice());
  choices_->button(remembered)->setChecked(true);
  choose(remembered);
  connect(choices_, &QButtonGroup::idToggled, this, [this](int choice, bool checked) {
    if (checked) choose(choice);
  });
}

QWidget* TFormPeriod::momentGroup(const char* caption, const QString& nameSuffix,
                                  MomentFields& fields) {
  auto* group = new QGroupBox(caption, this);
  fields.date = dateField("Date" + nameSuffix, group);
  fields.hour = timeField("Hour" + nameSuffix, 24, group);
  fields.minute = timeField("Minute" + nameSuffix, 60, group);
  fields.second = timeField("Second" + nameSuffix, 60, group);
  auto* form = new QFormLayout(group);
  form->addRow("Дата", fields.date);
  form->addRow("Часы", fields.hour);
  form->addRow("Минуты", fields.minute);
  form->addRow("Секунды", fields.second);
  return group;
}

QWidget* TFormPeriod::choiceGroup() {
  const RadioChoices choices = radioChoices(this, " Задание периода", "RadioGroupPeriod",
                                            "RadioPeriod", kPeriodChoiceCount, periodChoiceText);
  choices_ = choices.items;
  return choices.group;
}

void TFormPeriod::MomentFields::show(const DateTime6& moment, bool enabled) const {
  date->setDate(QDate(moment.fullYear(), moment.month, moment.day));
  hour->setCurrentIndex(moment.hour);
  minute->setCurrentIndex(moment.minute);
  second->setCurrentIndex(moment.second);
  for (QWidget* field : std::initializer_list<QWidget*>{date, hour, minute, second}) {
    field->setEnabled(enabled);
  }
}

std::array<std::string, 3> TFormPeriod::MomentFields::timeTexts() const {
  return {hour->currentText().toStdString(), minute->currentText().toStdString(),
          second->currentText().toStdString()};
}

void TFormPeriod::choose(int choice) {
  settings_.setPeriodChoice(static_cast<std::uint32_t>(choice));
  const PeriodProposal proposal = proposePeriod(choice, now_, settings_);
  beginFields_.show(proposal.begin, proposal.inputsEnabled);
  endFields_.show(proposal.end, proposal.inputsEnabled);
  if (proposal.inputsEnabled) {
    beginFields_.date->setFocus();
  } else {
    accept_->setFocus();
  }
}

void TFormPeriod::AcceptClick() {
  const auto beginTimes = beginFields_.timeTexts();
  const auto endTimes = endFields_.timeTexts();
  const PeriodFields begin{dayOf(beginFields_.date->date()), beginTimes[0], beginTimes[1],
                           beginTimes[2]};
  const PeriodFields end{dayOf(endFields_.date->date()), endTimes[0], endTimes[1], endTimes[2]};
  const PeriodCheck check = checkPeriodInput(begin, end);
  if (check.error) {
    frontend_.showMessage(kInputErrorKind, check.error->line1, check.error->line2);
    return;
  }
  rememberPeriod(settings_, choices_->checkedId(), check.begin, check.end);
  begin_ = check.begin;
  end_ = check.end;
  accept();
}

}  // namespace zvc
