#pragma once

#include <array>

#include "core/tables/ethernet_section.h"
#include "gui/tables/section_dialog.h"

class QLineEdit;

namespace zvc {

// " Параметры связи по Ethernet": the controller's IP address, subnet mask, default gateway and
// the ports of its connections (table 29).
class TFormEthernet : public SectionDialog {
  Q_OBJECT

 public:
  TFormEthernet(EthernetSection section, SectionMode mode, Frontend& frontend,
                QWidget* parent = nullptr);

 protected:
  std::optional<InputError> store() override;

 private:
  EthernetSection section_;
  std::array<std::array<QLineEdit*, 4>, 3> octets_{};
  std::array<QLineEdit*, 4> ports_{};
};

}  // namespace zvc
