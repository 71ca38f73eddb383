#include "gui/tables/parameter_rows.h"

#include <QGridLayout>
#include <QLabel>
#include <QWidget>

#include "gui/widgets/qt_text.h"

namespace zvc {

ParameterRows::ParameterRows(QWidget* dialog, const MeasuredParameters& parameters,
                             std::initializer_list<std::string_view> headings, Unused unused)
    : dialog_(dialog), parameters_(parameters), unused_(unused), grid_(new QGridLayout) {
  int column = 0;
  for (std::string_view heading : headings) {
    auto* label = new QLabel(qtText(heading), dialog_);
    label->setAlignment(Qt::AlignCenter);
    grid_->addWidget(label, 0, column++);
  }
}

void ParameterRows::add(int index, std::initializer_list<QWidget*> cells) {
  const bool used = index < parameters_.count;
  auto* caption = new QLabel(qtText(parameterCaption(parameters_, index)), dialog_);
  grid_->addWidget(caption, index + 1, 0);
  int column = 1;
  for (QWidget* cell : cells) grid_->addWidget(cell, index + 1, column++);
  for (int at = 0; at < column; ++at) {
    QWidget* cell = grid_->itemAtPosition(index + 1, at)->widget();
    cell->setEnabled(used);
    if (unused_ == Unused::kHidden && !used) cell->hide();
  }
}

std::string parameterUnitText(const MeasuredParameters& parameters, int index) {
  return parameterUnit(parameterRecord(parameters.table, index));
}

}  // namespace zvc
