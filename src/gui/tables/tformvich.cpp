#include "gui/tables/tformvich.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/common/format.h"
#include "gui/widgets/choice_box.h"
#include "gui/widgets/enter_moves_focus.h"
#include "gui/widgets/qt_text.h"

namespace zvc {
namespace {

constexpr int kRun2Bit = 4;  // mask bit p + 4: pipeline p + 1 takes run 2's values

std::vector<std::string> entryTexts(std::span<const std::string_view> entries) {
  return {entries.begin(), entries.end()};
}

QString twoLines(std::string_view first, std::string_view second) {
  return qtText(first) + "\n" + qtText(second);
}

}  // namespace

TFormVich::TFormVich(FlowComputerRecord& record, int number, bool sou, std::uint8_t runsInUse,
                     Frontend& frontend, QWidget* parent)
    : SectionDialog(SectionMode::kAccept, frontend, parent),
      record_(record),
      runsInUse_(runsInUse) {
  const FlowComputerInput shown = flowComputerInput(record, sou, runsInUse);
  setWindowTitle(QString::fromStdString(format(kFlowComputerCaptionFormat, number)));
  address_ = numberBox(this, "address", flowComputerAddressTexts(), shown.address);
  type_ = choiceBox(this, "type", entryTexts(kFlowComputerTypeEntries), shown.type);
  byteOrder_ = choiceBox(this, "byteOrder", entryTexts(kByteOrderEntries), shown.byteOrder);

  auto* form = new QFormLayout;
  form->addRow(qtText(kFlowComputerAddressLabel), address_);
  form->addRow(qtText(kFlowComputerTypeLabel), type_);
  form->addRow(qtText(kByteOrderLabel), byteOrder_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buildPipelines());
  layout->addWidget(buildPassword(shown));
  addButtonRow(layout);

  connect(type_, &QComboBox::currentIndexChanged, this, &TFormVich::typeChosen);
  typeChosen();
}

QWidget* TFormVich::buildPipelines() {
  auto* group = new QGroupBox(qtText(kPipelinesGroup), this);
  group->setObjectName("pipelines");
  auto* rows = new QVBoxLayout(group);
  for (int p = 0; p < kPipelines; ++p) {
    Pipeline& pipeline = pipelines_[p];
    pipeline.box = new QCheckBox(qtText(kPipelineCaptions[p]), group);
    pipeline.box->setObjectName(QString("pipeline%1").arg(p));
    pipeline.runs = new QButtonGroup(group);
    auto* row = new QHBoxLayout;
    row->addWidget(pipeline.box);
    for (int run = 0; run < 2; ++run) {
      auto* choice = new QRadioButton(qtText(kRunChoices[run]), group);
      choice->setObjectName(QString("pipeline%1run%2").arg(p).arg(run));
      pipeline.runs->addButton(choice, run);
      pipeline.choices[run] = choice;
      row->addWidget(choice);
    }
    rows->addLayout(row);
    connect(pipeline.box, &QCheckBox::toggled, this,
            [this, p](bool ticked) { pipelineToggled(p, ticked); });
  }
  return group;
}

QWidget* TFormVich::buildPassword(const FlowComputerInput& shown) {
  auto* panel = new QWidget(this);
  auto* form = new QFormLayout(panel);
  form->setContentsMargins(0, 0, 0, 0);
  sou_ = new QCheckBox(qtText(kSouLabel), panel);
  sou_->setObjectName("sou");
  sou_->setChecked(shown.sou);
  passwordHint_ = new QLabel(panel);
  password_ = new QLineEdit(QString::fromStdString(shown.password), panel);
  password_->setObjectName("password");
  code_ = numberField(panel, "code", shown.code, static_cast<int>(kSouCodeBytes));
  codeRow_ = new QLabel(twoLines(kSouCodeLabel, kSouCodeHint), panel);
  EnterMovesFocus::install(code_, password_);
  form->addRow(sou_);
  form->addRow(codeRow_, code_);
  form->addRow(passwordHint_, password_);
  connect(sou_, &QCheckBox::toggled, this, &TFormVich::showPasswordForm);
  showPasswordForm();
  return panel;
}

void TFormVich::showPasswordForm() {
  const bool souForm = sou_->isChecked();
  passwordHint_->setText(
      twoLines(kPasswordLabel, souForm ? kShortPasswordHint : kLongPasswordHint));
  password_->setMaxLength(static_cast<int>(souForm ? kSouPasswordBytes : kPasswordBytes));
  codeRow_->setVisible(souForm);
  code_->setVisible(souForm);
}

// The pipelines the chosen type has, ticked as the record says; the others greyed and unticked.
void TFormVich::typeChosen() {
  const int count = pipelineCount(choiceOf(type_));
  for (int p = 0; p < kPipelines; ++p) {
    Pipeline& pipeline = pipelines_[p];
    const bool present = p < count;
    pipeline.box->setEnabled(present);
    pipeline.box->setChecked(present && (record_[2] >> p & 1) != 0);
    pipelineToggled(p, pipeline.box->isChecked());
  }
}

// A ticked pipeline offers the runs in use, the one its mask bit p + 4 names chosen.
void TFormVich::pipelineToggled(int pipeline, bool ticked) {
  clearRuns(pipeline);
  const int maskRun = record_[2] >> (pipeline + kRun2Bit) & 1;
  for (int run = 0; run < 2; ++run) {
    const bool selectable = ticked && runSelectable(run, runsInUse_);
    pipelines_[pipeline].choices[run]->setEnabled(selectable);
    if (selectable && run == maskRun) pipelines_[pipeline].choices[run]->setChecked(true);
  }
}

void TFormVich::clearRuns(int pipeline) {
  QButtonGroup* runs = pipelines_[pipeline].runs;
  runs->setExclusive(false);
  for (QAbstractButton* choice : runs->buttons()) choice->setChecked(false);
  runs->setExclusive(true);
}

bool TFormVich::sou() const {
  return sou_->isChecked();
}

FlowComputerInput TFormVich::input() const {
  FlowComputerInput input;
  input.address = textOf(address_);
  input.type = choiceOf(type_);
  input.byteOrder = choiceOf(byteOrder_);
  for (int p = 0; p < kPipelines; ++p) {
    input.pipelines[p] = pipelines_[p].box->isChecked();
    const int run = pipelines_[p].runs->checkedId();
    if (run >= 0) input.runs[p] = run;
  }
  input.sou = sou();
  input.password = password_->text().toStdString();
  if (input.sou) input.code = code_->text().toStdString();
  return input;
}

std::optional<InputError> TFormVich::store() {
  return acceptFlowComputer(input(), runsInUse_, record_, passwordChanged_);
}

}  // namespace zvc
