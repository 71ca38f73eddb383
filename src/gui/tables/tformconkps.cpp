#include "gui/tables/tformconkps.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "core/tables/flow_computer_link_section.h"
#include "core/tables/upper_link_section.h"
#include "gui/widgets/choice_box.h"
#include "gui/widgets/dialog_layout.h"
#include "gui/widgets/qt_text.h"

namespace zvc {

TFormConKPS::TFormConKPS(ChromatographLinkSection section, ChromatographLinkContext context,
                         SectionMode mode, Frontend& frontend, QWidget* parent,
                         ParameterListEditor editParameters)
    : SectionDialog(mode, frontend, parent),
      section_(section),
      context_(std::move(context)),
      editParameters_(std::move(editParameters)) {
  setWindowTitle(qtText(kChromatographLinkCaption));
  std::ranges::copy(section_.parameters, parameters_.begin());
  const ChromatographLinkInput shown = chromatographLinkInput(section_.link, context_);
  address_ = numberBox(this, "address", modbusAddressTexts(), shown.address);
  rate_ = choiceBox(this, "rate", baudRateTexts(), shown.rate);
  mode_ = choiceBox(this, "mode", modbusModeTexts(), shown.mode);
  parity_ = choiceBox(this, "parity", chromatographParityTexts(), shown.parity);
  timeout_ = choiceBox(this, "timeout", modbusTimeoutTexts(), shown.timeout);
  failures_ = choiceBox(this, "failures", failureCountTexts(), shown.failures);
  type_ = choiceBox(this, "type", chromatographTypeTexts(), shown.type);
  parameterCount_ = choiceBox(this, "parameterCount", parameterCountTexts(), shown.parameterCount);

  auto* form = new QFormLayout;
  form->addRow(qtText(kChromatographAddressLabel), address_);
  form->addRow(qtText(kBaudRateLabel), rate_);
  form->addRow(qtText(kModbusModeLabel), mode_);
  form->addRow(qtText(kParityLabel), parity_);
  form->addRow(qtText(kChromatographTimeoutLabel), withNote(timeout_, kHundredthsUnit));
  form->addRow(qtText(kChromatographFailuresLabel), failures_);
  form->addRow(qtText(kChromatographTypeLabel), type_);
  form->addRow(qtText(kParameterCountLabel), parameterCount_);
  if (editParameters_) {
    parameterList_ = new QPushButton(qtText(kParameterListCaption), this);
    parameterList_->setObjectName("parameterList");
    parameterList_->setAutoDefault(false);
    connect(parameterList_, &QPushButton::clicked, this, &TFormConKPS::parameterListClicked);
    form->addRow(parameterList_);
  }
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  auto* runs = new QHBoxLayout;
  for (int run = 0; run < 2; ++run) {
    buildRun(run, shown);
    auto* column = new QVBoxLayout;
    column->addWidget(runs_[run]);
    column->addWidget(sources_[run]);
    runs->addLayout(column);
  }
  layout->addLayout(runs);
  addButtonRow(layout);
}

void TFormConKPS::buildRun(int run, const ChromatographLinkInput& shown) {
  runs_[run] = new QCheckBox(qtText(runInUseText(run, context_)), this);
  runs_[run]->setObjectName(QString("run%1").arg(run));
  runs_[run]->setChecked(shown.runs[run]);
  sources_[run] = new QGroupBox(qtText(kTemperatureSourceGroups[run]), this);
  sources_[run]->setObjectName(QString("source%1").arg(run));
  const std::vector<std::string> flowComputers = context_.flowComputers
                                                     ? flowComputerTexts(*context_.flowComputers)
                                                     : std::vector<std::string>{};
  flowComputers_[run] =
      choiceBox(sources_[run], "flowComputer", flowComputers, shown.flowComputer[run]);
  pipelines_[run] = choiceBox(sources_[run], "pipeline", pipelineTexts(), shown.pipeline[run]);
  auto* form = new QFormLayout(sources_[run]);
  form->addRow(qtText(kFlowComputerIndexLabel), flowComputers_[run]);
  form->addRow(qtText(kPipelineLabel), pipelines_[run]);
  sources_[run]->setEnabled(context_.flowComputers && shown.runs[run]);
  connect(runs_[run], &QCheckBox::toggled, this,
          [this, run](bool ticked) { runToggled(run, ticked); });
}

// Only a run in use takes its gas temperature from a flow computer, and only when there are
// flow computers.
void TFormConKPS::runToggled(int run, bool ticked) {
  if (!ticked) {
    choose(flowComputers_[run], std::nullopt);
    choose(pipelines_[run], std::nullopt);
  }
  sources_[run]->setEnabled(context_.flowComputers && ticked);
}

void TFormConKPS::parameterListClicked() {
  std::uint8_t count = static_cast<std::uint8_t>(choiceOf(parameterCount_).value_or(-1) + 1);
  if (!editParameters_(count, parameters_, this)) return;
  choose(parameterCount_, count > 0 ? std::optional<int>(count - 1) : std::nullopt);
}

ChromatographLinkInput TFormConKPS::input() const {
  ChromatographLinkInput input;
  input.address = textOf(address_);
  input.rate = choiceOf(rate_);
  input.mode = choiceOf(mode_);
  input.parity = choiceOf(parity_);
  input.timeout = choiceOf(timeout_);
  input.failures = choiceOf(failures_);
  input.type = choiceOf(type_);
  input.parameterCount = choiceOf(parameterCount_);
  for (int run = 0; run < 2; ++run) {
    input.runs[run] = runs_[run]->isChecked();
    input.flowComputer[run] = choiceOf(flowComputers_[run]);
    input.pipeline[run] = choiceOf(pipelines_[run]);
  }
  return input;
}

std::optional<InputError> TFormConKPS::store() {
  if (auto error = acceptChromatographLink(input(), context_, section_.link)) return error;
  std::ranges::copy(parameters_, section_.parameters.begin());
  return std::nullopt;
}

}  // namespace zvc
