#pragma once

#include <array>

#include "core/tables/gas_parameter_sections.h"
#include "gui/tables/section_dialog.h"

class QComboBox;

namespace zvc {

// "Необходимость записи  значений параметров газа в ВРГ ": per measured parameter whether its
// value is written into the flow computers (table 21).
class TFormDistr : public SectionDialog {
  Q_OBJECT

 public:
  TFormDistr(MeasuredParameters parameters, WriteNeedSection section, SectionMode mode,
             Frontend& frontend, QWidget* parent = nullptr);

 protected:
  std::optional<InputError> store() override;

 private:
  MeasuredParameters parameters_;
  WriteNeedSection section_;
  std::array<QComboBox*, kParameterRecords> choices_{};
};

}  // namespace zvc
