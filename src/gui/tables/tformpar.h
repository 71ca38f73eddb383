#pragma once

#include "core/tables/measured_parameters.h"
#include "gui/tables/section_dialog.h"

class QComboBox;
class QLineEdit;

namespace zvc {

// One measured parameter of the chromatograph (a record of table 1): name, designation, unit,
// MODBUS register, decimals, type and measuring range. "Принять" stores into the record.
class TFormPar : public SectionDialog {
  Q_OBJECT

 public:
  TFormPar(ParameterRecord record, Frontend& frontend, QWidget* parent = nullptr);

 protected:
  std::optional<InputError> store() override;

 private:
  void decimalsChosen();
  ParameterInput input() const;

  ParameterRecord record_;
  int shownDecimals_ = 0;
  QLineEdit* name_ = nullptr;
  QLineEdit* designation_ = nullptr;
  QComboBox* unit_ = nullptr;
  QLineEdit* register_ = nullptr;
  QComboBox* decimals_ = nullptr;
  QComboBox* type_ = nullptr;
  QLineEdit* minimum_ = nullptr;
  QLineEdit* maximum_ = nullptr;
};

}  // namespace zvc
