#pragma once

#include "core/tables/gas_parameter_sections.h"
#include "gui/tables/section_dialog.h"

class QComboBox;

namespace zvc {

// The period in hours of writing hourly averages into the flow computers (table 28).
class TFormDistrPar : public SectionDialog {
  Q_OBJECT

 public:
  TFormDistrPar(PeriodSection section, SectionMode mode, Frontend& frontend,
                QWidget* parent = nullptr);

 protected:
  std::optional<InputError> store() override;

 private:
  PeriodSection section_;
  QComboBox* period_ = nullptr;
};

}  // namespace zvc
