#include "gui/tables/tformsys.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "gui/widgets/choice_box.h"
#include "gui/widgets/dialog_layout.h"
#include "gui/widgets/qt_text.h"

namespace zvc {
namespace {

constexpr int kByDay = 0;
constexpr int kByWeekday = 1;
constexpr int kLongestMonth = 31;

QCheckBox* checkBox(QWidget* parent, std::string_view caption, const char* name, bool ticked) {
  auto* box = new QCheckBox(qtText(caption), parent);
  box->setObjectName(name);
  box->setChecked(ticked);
  return box;
}

}  // namespace

TFormSys::TFormSys(SystemSection section, SectionMode mode, Frontend& frontend, QWidget* parent)
    : SectionDialog(mode, frontend, parent), section_(section) {
  setWindowTitle(qtText(kSystemParametersCaption));
  const SystemParametersInput shown = systemParametersInput(section_);

  auto* general = new QFormLayout;
  general->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
  contractHour_ = choiceBox(this, "contractHour", contractHourTexts(), shown.contractHour);
  general->addRow(qtText(kContractHourLabel), contractHour_);
  chromatograph_ = checkBox(this, kChromatographPresentLabel, "chromatograph", true);
  chromatograph_->setEnabled(false);
  moistureMeter_ = checkBox(this, kMoistureMeterPresentLabel, "moistureMeter", shown.moistureMeter);
  flowComputers_ = checkBox(this, kFlowComputersPresentLabel, "flowComputers", shown.flowComputers);
  for (QCheckBox* box : {chromatograph_, moistureMeter_, flowComputers_}) general->addRow(box);

  buildTransition(summer_, kSummerTransition, shown.summer, "summer");
  buildTransition(winter_, kWinterTransition, shown.winter, "winter");
  auto* transitions = new QHBoxLayout;
  transitions->addWidget(summer_.group);
  transitions->addWidget(winter_.group);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(general);
  layout->addLayout(transitions);
  addButtonRow(layout);
}

void TFormSys::buildTransition(Transition& transition, const TransitionKind& kind,
                               const TransitionInput& shown, const char* name) {
  const QString prefix(name);
  transition.kind = &kind;
  transition.group = new QGroupBox(qtText(kind.caption), this);
  transition.group->setObjectName(prefix);
  QWidget* group = transition.group;
  transition.month = choiceBox(group, "month", transitionMonthTexts(kind), shown.month);
  const RadioChoices ruleKinds =
      radioChoices(group, kDayRuleKindLabel.data(), "ruleKind", "ruleKind", kDayRuleKinds.size(),
                   [](int choice) { return kDayRuleKinds[choice]; });
  transition.ruleKind = ruleKinds.items;
  transition.ruleKind->button(shown.byWeekday ? kByWeekday : kByDay)->setChecked(true);
  // Without a month the stored day waits in a list of 31; a chosen month cuts it to its days.
  const int month = shown.month.value_or(0);
  const auto days = month > 0 ? transitionDayTexts(kind, month) : numberTexts(1, kLongestMonth);
  transition.day = choiceBox(group, "day", days, shown.day);
  transition.ordinal = choiceBox(group, "ordinal", ordinalTexts(), shown.ordinal);
  transition.weekday = choiceBox(group, "weekday", weekdayTexts(), shown.weekday);
  transition.hour = choiceBox(group, "hour", transitionHourTexts(kind), shown.hour);

  auto* form = new QFormLayout(group);
  form->addRow(qtText(kTransitionMonthLabel), transition.month);
  form->addRow(ruleKinds.group);
  form->addRow(qtText(kMonthDayLabel), transition.day);
  form->addRow(qtText(kOrdinalLabel), transition.ordinal);
  form->addRow(qtText(kWeekdayLabel), transition.weekday);
  form->addRow(qtText(kTransitionHourLabel), transition.hour);
  transition.details = form;
  showTransitionRows(transition);

  connect(transition.month, &QComboBox::currentIndexChanged, this,
          [this, &transition] { monthChanged(transition); });
  connect(transition.ruleKind, &QButtonGroup::idClicked, this,
          [this, &transition] { showTransitionRows(transition); });
}

// With "Переход запрещен" only the month shows; the rest keeps its choices for a month chosen
// again.
void TFormSys::showTransitionRows(Transition& transition) {
  const bool transitionOn = transition.month->currentIndex() > 0;
  const bool byWeekday = transition.ruleKind->checkedId() == kByWeekday;
  QFormLayout* form = transition.details;
  form->setRowVisible(1, transitionOn);
  form->setRowVisible(transition.day, transitionOn && !byWeekday);
  form->setRowVisible(transition.ordinal, transitionOn && byWeekday);
  form->setRowVisible(transition.weekday, transitionOn && byWeekday);
  form->setRowVisible(transition.hour, transitionOn);
  adjustSize();
}

// A new month brings its own number of days; a day it lacks is no longer chosen.
void TFormSys::monthChanged(Transition& transition) {
  const int month = transition.month->currentIndex();
  if (month > 0) setChoices(transition.day, transitionDayTexts(*transition.kind, month));
  showTransitionRows(transition);
}

TransitionInput TFormSys::transitionInput(const Transition& transition) const {
  TransitionInput input;
  input.month = choiceOf(transition.month);
  input.byWeekday = transition.ruleKind->checkedId() == kByWeekday;
  input.day = choiceOf(transition.day);
  input.ordinal = choiceOf(transition.ordinal);
  input.weekday = choiceOf(transition.weekday);
  input.hour = choiceOf(transition.hour);
  return input;
}

std::optional<InputError> TFormSys::store() {
  SystemParametersInput input;
  input.contractHour = choiceOf(contractHour_);
  input.moistureMeter = moistureMeter_->isChecked();
  input.flowComputers = flowComputers_->isChecked();
  input.summer = transitionInput(summer_);
  input.winter = transitionInput(winter_);
  return acceptSystemParameters(input, section_);
}

}  // namespace zvc
