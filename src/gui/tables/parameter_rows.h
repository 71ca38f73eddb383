#pragma once

#include <initializer_list>
#include <string_view>

#include "core/tables/gas_parameter_sections.h"

class QGridLayout;
class QWidget;

namespace zvc {

// The grid of the per-parameter dialogs: a heading row, then one row per measured parameter that
// starts with its caption (a blank and the name); the rows past the used count are greyed or
// hidden.
class ParameterRows {
 public:
  enum class Unused { kGreyed, kHidden };

  ParameterRows(QWidget* dialog, const MeasuredParameters& parameters,
                std::initializer_list<std::string_view> headings, Unused unused = Unused::kGreyed);

  // Row k: the caption, then these widgets in the following columns.
  void add(int index, std::initializer_list<QWidget*> cells);
  QGridLayout* grid() const { return grid_; }

 private:
  QWidget* dialog_;
  const MeasuredParameters& parameters_;
  Unused unused_;
  QGridLayout* grid_;
};

// The unit of parameter k as units list B names it.
std::string parameterUnitText(const MeasuredParameters& parameters, int index);

}  // namespace zvc
