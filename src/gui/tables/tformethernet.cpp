#include "gui/tables/tformethernet.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "gui/widgets/choice_box.h"
#include "gui/widgets/qt_text.h"

namespace zvc {
namespace {

constexpr int kOctetDigits = 3;
constexpr int kPortDigits = 5;

}  // namespace

TFormEthernet::TFormEthernet(EthernetSection section, SectionMode mode, Frontend& frontend,
                             QWidget* parent)
    : SectionDialog(mode, frontend, parent), section_(section) {
  setWindowTitle(qtText(kEthernetCaption));
  const EthernetInput shown = ethernetInput(section_);
  auto* form = new QFormLayout;
  for (std::size_t address = 0; address < octets_.size(); ++address) {
    auto* row = new QHBoxLayout;
    for (std::size_t octet = 0; octet < 4; ++octet) {
      const std::string name = "address" + std::to_string(address) + "_" + std::to_string(octet);
      QLineEdit* field =
          numberField(this, name.c_str(), shown.addresses[address][octet], kOctetDigits);
      field->setMaximumWidth(field->fontMetrics().horizontalAdvance("0000") + 12);
      octets_[address][octet] = field;
      if (octet > 0) row->addWidget(new QLabel(".", this));
      row->addWidget(field);
    }
    form->addRow(qtText(kEthernetAddressLabels[address]), row);
  }
  for (std::size_t port = 0; port < ports_.size(); ++port) {
    const std::string name = "port" + std::to_string(port);
    ports_[port] = numberField(this, name.c_str(), shown.ports[port], kPortDigits);
    form->addRow(qtText(kEthernetPortLabels[port]), ports_[port]);
  }
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  addButtonRow(layout);
}

std::optional<InputError> TFormEthernet::store() {
  EthernetInput input;
  for (std::size_t address = 0; address < octets_.size(); ++address) {
    for (std::size_t octet = 0; octet < 4; ++octet) {
      input.addresses[address][octet] = textOf(octets_[address][octet]);
    }
  }
  for (std::size_t port = 0; port < ports_.size(); ++port) input.ports[port] = textOf(ports_[port]);
  return acceptEthernet(input, section_);
}

}  // namespace zvc
