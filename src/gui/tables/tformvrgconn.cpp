#include "gui/tables/tformvrgconn.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/tables/upper_link_section.h"
#include "gui/widgets/choice_box.h"
#include "gui/widgets/dialog_layout.h"
#include "gui/widgets/qt_text.h"

namespace zvc {
namespace {

constexpr int kPreambleDigits = 3;

}  // namespace

TFormVrgConn::TFormVrgConn(FlowComputerLinkSection section, SectionMode mode, Frontend& frontend,
                           QWidget* parent)
    : SectionDialog(mode, frontend, parent), section_(section) {
  setWindowTitle(qtText(kFlowComputerLinkCaption));
  const FlowComputerLinkInput shown = flowComputerLinkInput(section_);
  count_ = choiceBox(this, "count", flowComputerCountTexts(), shown.count);
  rate_ = choiceBox(this, "rate", baudRateTexts(), shown.rate);
  failures_ = choiceBox(this, "failures", failureCountTexts(), shown.failures);
  timeout_ = choiceBox(this, "timeout", flowComputerTimeoutTexts(), shown.timeout);
  preambles_ = numberField(this, "preambles", shown.preambles, kPreambleDigits);
  const RadioChoices modes =
      radioChoices(this, kWriteModeGroup.data(), "writeModes", "writeMode", kWriteModes.size(),
                   [](int choice) { return kWriteModes[choice]; });
  writeMode_ = modes.items;
  if (shown.writeMode) writeMode_->button(*shown.writeMode)->setChecked(true);

  auto* form = new QFormLayout;
  form->addRow(qtText(kFlowComputerCountLabel), count_);
  form->addRow(qtText(kBaudRateLabel), rate_);
  form->addRow(qtText(kFlowComputerFailuresLabel), failures_);
  form->addRow(qtText(kFlowComputerTimeoutLabel), withNote(timeout_, kTenthsUnit));
  form->addRow(qtText(kRequestPreamblesLabel), withNote(preambles_, kPreamblesHint));
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(modes.group);
  addButtonRow(layout);
}

std::optional<InputError> TFormVrgConn::store() {
  FlowComputerLinkInput input{choiceOf(count_),   choiceOf(rate_),    choiceOf(failures_),
                              choiceOf(timeout_), textOf(preambles_), std::nullopt};
  if (writeMode_->checkedId() >= 0) input.writeMode = writeMode_->checkedId();
  return acceptFlowComputerLink(input, section_);
}

}  // namespace zvc
