#pragma once

#include <array>

#include "core/tables/gas_parameter_sections.h"
#include "gui/tables/section_dialog.h"

class QLineEdit;

namespace zvc {

// One dialog for the five per-parameter limits (tables 22..26 by kind 0..4): dead zone, warning
// setpoints and the limits of values written into flow computers. One row per measured
// parameter with its range and unit; rows past N are greyed.
class TFormLimit : public SectionDialog {
  Q_OBJECT

 public:
  TFormLimit(int kind, MeasuredParameters parameters, LimitSection values, SectionMode mode,
             Frontend& frontend, QWidget* parent = nullptr);

 protected:
  std::optional<InputError> store() override;

 private:
  MeasuredParameters parameters_;
  LimitSection values_;
  std::array<QLineEdit*, kParameterRecords> fields_{};
};

}  // namespace zvc
