#include "gui/tables/tformconvu.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "gui/widgets/choice_box.h"
#include "gui/widgets/qt_text.h"

namespace zvc {
namespace {

constexpr int kPreambleDigits = 3;

}  // namespace

TFormConVU::TFormConVU(UpperLinkSection section, SectionMode mode, bool rateEditable,
                       Frontend& frontend, QWidget* parent)
    : SectionDialog(mode, frontend, parent), section_(section) {
  setWindowTitle(qtText(kUpperLinkCaption));
  const UpperLinkInput shown = upperLinkInput(section_, rateEditable);
  address_ = numberBox(this, "address", controllerAddressTexts(), shown.address);
  rate_ = choiceBox(this, "rate", baudRateTexts(), shown.rate);
  rate_->setEnabled(rateEditable);
  preambles_ = numberField(this, "preambles", shown.preambles, kPreambleDigits);
  auto* preambleRow = new QHBoxLayout;
  preambleRow->addWidget(preambles_);
  preambleRow->addWidget(new QLabel(qtText(kPreamblesHint), this));

  auto* form = new QFormLayout;
  form->addRow(qtText(kControllerAddressLabel), address_);
  form->addRow(qtText(kBaudRateLabel), rate_);
  form->addRow(qtText(kAnswerPreamblesLabel), preambleRow);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  addButtonRow(layout);
}

std::optional<InputError> TFormConVU::store() {
  const UpperLinkInput input{textOf(address_), rate_->isEnabled(), choiceOf(rate_),
                             textOf(preambles_)};
  return acceptUpperLink(input, section_);
}

}  // namespace zvc
