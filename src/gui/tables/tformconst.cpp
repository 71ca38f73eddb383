#include "gui/tables/tformconst.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "core/common/format.h"
#include "gui/tables/parameter_rows.h"
#include "gui/widgets/choice_box.h"
#include "gui/widgets/qt_text.h"

namespace zvc {

TFormConst::TFormConst(int run, MeasuredParameters parameters, ConstantSection section,
                       SectionMode mode, Frontend& frontend, QWidget* parent)
    : SectionDialog(mode, frontend, parent), parameters_(parameters), section_(section) {
  setWindowTitle(QString::fromStdString(format(kConstantsCaptionFormat, run + 1)));
  const std::vector<ConstantRow> shown = constantInput(parameters_, section_);
  ParameterRows rows(this, parameters_,
                     {kConstantNameColumn, kConstantValueColumn, kConstantFlagColumn},
                     ParameterRows::Unused::kHidden);
  for (int k = 0; k < static_cast<int>(kParameterRecords); ++k) {
    const bool used = k < parameters_.count;
    values_[k] = realField(this, qPrintable(QString("value%1").arg(k)),
                           used ? shown[k].value : std::string());
    flags_[k] = new QCheckBox(this);
    flags_[k]->setObjectName(QString("flag%1").arg(k));
    flags_[k]->setChecked(used && shown[k].ticked);
    rows.add(k, {values_[k], flags_[k]});
  }
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(rows.grid());
  addButtonRow(layout);
}

std::optional<InputError> TFormConst::store() {
  std::vector<ConstantRow> input;
  for (int k = 0; k < parameters_.count; ++k) {
    input.push_back({values_[k]->text().toStdString(), flags_[k]->isChecked()});
  }
  return acceptConstants(parameters_, input, section_);
}

}  // namespace zvc
