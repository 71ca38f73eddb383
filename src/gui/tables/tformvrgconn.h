#pragma once

#include "core/tables/flow_computer_link_section.h"
#include "gui/tables/section_dialog.h"

class QButtonGroup;
class QComboBox;
class QLineEdit;

namespace zvc {

// " Параметры связи с ВРГ": the link to the gas flow computers and how gas parameters are
// written into them (table 9).
class TFormVrgConn : public SectionDialog {
  Q_OBJECT

 public:
  TFormVrgConn(FlowComputerLinkSection section, SectionMode mode, Frontend& frontend,
               QWidget* parent = nullptr);

 protected:
  std::optional<InputError> store() override;

 private:
  FlowComputerLinkSection section_;
  QComboBox* count_ = nullptr;
  QComboBox* rate_ = nullptr;
  QComboBox* failures_ = nullptr;
  QComboBox* timeout_ = nullptr;
  QLineEdit* preambles_ = nullptr;
  QButtonGroup* writeMode_ = nullptr;
};

}  // namespace zvc
