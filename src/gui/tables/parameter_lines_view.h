#pragma once

#include <QDialog>
#include <string_view>
#include <vector>

#include "core/tables/parameter_section.h"

namespace zvc {

// A window that only shows rows of parameters (the identification of the controller, the
// chromatograph's serial number): greyed rows disabled, alarms in red, "Выход" to close.
class ParameterLinesView : public QDialog {
  Q_OBJECT

 public:
  ParameterLinesView(std::string_view caption, const std::vector<ParameterLine>& lines,
                     QWidget* parent = nullptr);
};

}  // namespace zvc
