#include "gui/tables/tformpar.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

#include "gui/widgets/choice_box.h"
#include "gui/widgets/dialog_layout.h"
#include "gui/widgets/qt_text.h"

namespace zvc {
namespace {

constexpr int kRegisterDigits = 5;
constexpr int kRangeChars = 16;

}  // namespace

TFormPar::TFormPar(ParameterRecord record, Frontend& frontend, QWidget* parent)
    : SectionDialog(SectionMode::kAccept, frontend, parent), record_(record) {
  setWindowTitle(qtText(kParameterListCaption));
  const ParameterInput shown = parameterInput(record_);
  shownDecimals_ = shown.decimals.value_or(0);
  name_ = textField(this, "name", shown.name, static_cast<int>(kParameterNameChars));
  designation_ = textField(this, "designation", shown.designation, static_cast<int>(kDesignationChars));
  unit_ = choiceBox(this, "unit", parameterUnitTexts(), shown.unit);
  register_ = numberField(this, "register", shown.registerAddress, kRegisterDigits);
  decimals_ = choiceBox(this, "decimals", decimalTexts(), shown.decimals);
  std::vector<std::string> types(kParameterTypes.begin(), kParameterTypes.end());
  type_ = choiceBox(this, "type", types, shown.type);
  minimum_ = realField(this, "minimum", shown.minimum, kRangeChars);
  maximum_ = realField(this, "maximum", shown.maximum, kRangeChars);

  auto* form = new QFormLayout;
  form->addRow(qtText(kParameterNameLabel), withNote(name_, kParameterNameHint));
  form->addRow(qtText(kDesignationLabel), withNote(designation_, kDesignationHint));
  form->addRow(qtText(kUnitLabel), unit_);
  form->addRow(qtText(kRegisterLabel), register_);
  form->addRow(qtText(kDecimalsLabel), decimals_);
  form->addRow(qtText(kParameterTypeLabel), type_);
  auto* range = new QGroupBox(qtText(kRangeGroup), this);
  auto* rangeForm = new QFormLayout(range);
  rangeForm->addRow(qtText(kMinimumLabel), minimum_);
  rangeForm->addRow(qtText(kMaximumLabel), maximum_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(range);
  addButtonRow(layout);
  connect(decimals_, &QComboBox::currentIndexChanged, this, &TFormPar::decimalsChosen);
}

// The range is shown again with the chosen decimals.
void TFormPar::decimalsChosen() {
  const std::optional<int> chosen = choiceOf(decimals_);
  if (!chosen) return;
  const auto redraw = [&](QLineEdit* field, std::size_t offset) {
    field->setText(QString::fromStdString(redrawRangeValue(
        field->text().toStdString(), record_.data() + offset, shownDecimals_, *chosen)));
  };
  redraw(minimum_, kParameterMinimumOffset);
  redraw(maximum_, kParameterMaximumOffset);
  shownDecimals_ = *chosen;
}

ParameterInput TFormPar::input() const {
  return {textOf(name_),     textOf(designation_), choiceOf(unit_),    textOf(register_),
          choiceOf(decimals_), choiceOf(type_),     textOf(minimum_), textOf(maximum_)};
}

std::optional<InputError> TFormPar::store() {
  return acceptParameter(input(), record_);
}

}  // namespace zvc
