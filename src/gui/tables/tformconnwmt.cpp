#include "gui/tables/tformconnwmt.h"

#include <QComboBox>
#include <QFormLayout>
#include <QVBoxLayout>

#include "core/tables/chromatograph_link_section.h"
#include "core/tables/flow_computer_link_section.h"
#include "core/tables/upper_link_section.h"
#include "gui/widgets/choice_box.h"
#include "gui/widgets/dialog_layout.h"
#include "gui/widgets/qt_text.h"

namespace zvc {

TFormConnWMT::TFormConnWMT(MoistureMeterLinkSection section, SectionMode mode, Frontend& frontend,
                           QWidget* parent)
    : SectionDialog(mode, frontend, parent), section_(section) {
  setWindowTitle(qtText(kMoistureMeterLinkCaption));
  const MoistureMeterLinkInput shown = moistureMeterLinkInput(section_);
  address_ = numberBox(this, "address", modbusAddressTexts(), shown.address);
  rate_ = choiceBox(this, "rate", baudRateTexts(), shown.rate);
  mode_ = choiceBox(this, "mode", modbusModeTexts(), shown.mode);
  timeout_ = numberBox(this, "timeout", modbusTimeoutTexts(), shown.timeout);
  failures_ = choiceBox(this, "failures", failureCountTexts(), shown.failures);
  type_ = choiceBox(this, "type", moistureMeterTypeTexts(), shown.type);

  auto* form = new QFormLayout;
  form->addRow(qtText(kMoistureMeterAddressLabel), address_);
  form->addRow(qtText(kBaudRateLabel), rate_);
  form->addRow(qtText(kModbusModeLabel), mode_);
  form->addRow(qtText(kMoistureMeterTimeoutLabel), withNote(timeout_, kHundredthsUnit));
  form->addRow(qtText(kMoistureMeterFailuresLabel), failures_);
  form->addRow(qtText(kMoistureMeterTypeLabel), type_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  addButtonRow(layout);
}

std::optional<InputError> TFormConnWMT::store() {
  const MoistureMeterLinkInput input{textOf(address_), choiceOf(rate_),     choiceOf(mode_),
                                     textOf(timeout_), choiceOf(failures_), choiceOf(type_)};
  return acceptMoistureMeterLink(input, section_);
}

}  // namespace zvc
