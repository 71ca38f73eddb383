#include "gui/archives/tformshortdate.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/archives/short_date_dialog.h"
#include "core/ui/frontend.h"
#include "gui/widgets/date_field.h"
#include "gui/widgets/dialog_layout.h"

namespace zvc {
namespace {

constexpr int kInputErrorKind = 2;
constexpr int kChoiceCount = 2;
constexpr int kTitleBarButtons = 120;
// What a year byte counted from 2000 can hold.
const QDate kFirstDate(2000, 1, 1);
const QDate kLastDate(2255, 12, 31);

QLabel* rangeLabel(const std::string& text, const QString& name, QWidget* parent) {
  auto* label = new QLabel(QString::fromStdString(text), parent);
  label->setObjectName(name);
  return label;
}

}  // namespace

TFormShortDate::TFormShortDate(bool daily, const ArchiveRange& range,
                               const DateTime6& controllerClock, int& choice, Frontend& frontend,
                               QWidget* parent)
    : QDialog(parent),
      daily_(daily),
      range_(range),
      controllerClock_(controllerClock),
      choice_(choice),
      frontend_(frontend) {
  setWindowTitle(kShortDateCaption);

  accept_ = new QPushButton("Принять", this);
  auto* cancel = new QPushButton("Отменить", this);

  auto* moments = new QHBoxLayout;
  moments->addWidget(momentGroup(" Начало периода ", "Start", startFields_));
  moments->addWidget(momentGroup(" Конец периода ", "End", endFields_));

  const RadioChoices choices =
      radioChoices(this, kShortDateChoiceTitle, "RadioGroupPeriod", "RadioPeriod", kChoiceCount,
                   [daily](int item) { return shortDateChoiceText(daily, item); });
  choices_ = choices.items;
  // Wide enough for the whole caption in the title bar.
  choices.group->setMinimumWidth(fontMetrics().horizontalAdvance(windowTitle()) + kTitleBarButtons);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(rangeLabel(oldestRecordLabel(daily, range), "LabelOldest", this));
  layout->addWidget(rangeLabel(newestRecordLabel(daily, range), "LabelNewest", this));
  layout->addLayout(moments);
  layout->addWidget(choices.group);
  layout->addSpacing(8);
  layout->addLayout(centredButtonRow({accept_, cancel}));
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(accept_, &QPushButton::clicked, this, &TFormShortDate::AcceptClick);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  const int remembered =
      choice_ == kShortDateCustomChoice ? kShortDateCustomChoice : kShortDateLastChoice;
  choices_->button(remembered)->setChecked(true);
  choose(remembered);
  connect(choices_, &QButtonGroup::idToggled, this, [this](int item, bool checked) {
    if (checked) choose(item);
  });
}

QWidget* TFormShortDate::momentGroup(const char* caption, const QString& nameSuffix,
                                     MomentFields& fields) {
  auto* group = new QGroupBox(caption, this);
  auto* form = new QFormLayout(group);
  fields.date = new DateField(group);
  fields.date->setObjectName("Date" + nameSuffix);
  fields.date->setDateRange(kFirstDate, kLastDate);
  fields.date->setCalendarPopup(true);
  form->addRow("Дата", fields.date);
  if (!daily_) {
    fields.hour = new QComboBox(group);
    fields.hour->setObjectName("Hour" + nameSuffix);
    for (int hour = 0; hour < 24; ++hour) fields.hour->addItem(QString::number(hour));
    form->addRow("Часы", fields.hour);
  }
  return group;
}

void TFormShortDate::MomentFields::show(const DateTime6& moment, bool enabled) const {
  date->setDate(QDate(moment.fullYear(), moment.month, moment.day));
  date->setEnabled(enabled);
  if (hour) {
    hour->setCurrentIndex(moment.hour);
    hour->setEnabled(enabled);
  }
}

DateTime6 TFormShortDate::MomentFields::moment() const {
  const QDate day = date->date();
  return {static_cast<std::uint8_t>(day.year() - kFirstDate.year()),
          static_cast<std::uint8_t>(day.month()),
          static_cast<std::uint8_t>(day.day()),
          static_cast<std::uint8_t>(hour ? hour->currentIndex() : 0),
          0,
          0};
}

void TFormShortDate::choose(int choice) {
  choice_ = choice;
  const ShortDateProposal proposal = proposeShortPeriod(daily_, choice, range_, controllerClock_);
  startFields_.show(proposal.start, proposal.inputsEnabled);
  endFields_.show(proposal.end, proposal.inputsEnabled);
  if (proposal.inputsEnabled) {
    startFields_.date->setFocus();
  } else {
    accept_->setFocus();
  }
}

void TFormShortDate::AcceptClick() {
  const ShortDateCheck check =
      checkShortPeriod(daily_, startFields_.moment(), endFields_.moment(), range_);
  if (check.error) {
    frontend_.showMessage(kInputErrorKind, check.error->line1, check.error->line2);
    return;
  }
  start_ = check.start;
  end_ = check.end;
  accept();
}

}  // namespace zvc
