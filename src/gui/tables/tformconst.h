#pragma once

#include <array>

#include "core/tables/gas_parameter_sections.h"
#include "gui/tables/section_dialog.h"

class QCheckBox;
class QLineEdit;

namespace zvc {

// "Константы параметров газа нитки %d": per measured parameter the constant of a run and whether
// it replaces the measured value (tables 43/44 or 45/46, edited as one 100-byte block).
class TFormConst : public SectionDialog {
  Q_OBJECT

 public:
  TFormConst(int run, MeasuredParameters parameters, ConstantSection section, SectionMode mode,
             Frontend& frontend, QWidget* parent = nullptr);

 protected:
  std::optional<InputError> store() override;

 private:
  MeasuredParameters parameters_;
  ConstantSection section_;
  std::array<QLineEdit*, kParameterRecords> values_{};
  std::array<QCheckBox*, kParameterRecords> flags_{};
};

}  // namespace zvc
