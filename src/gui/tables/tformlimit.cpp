#include "gui/tables/tformlimit.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "gui/tables/parameter_rows.h"
#include "gui/widgets/choice_box.h"
#include "gui/widgets/qt_text.h"

namespace zvc {

TFormLimit::TFormLimit(int kind, MeasuredParameters parameters, LimitSection values,
                       SectionMode mode, Frontend& frontend, QWidget* parent)
    : SectionDialog(mode, frontend, parent), parameters_(parameters), values_(values) {
  setWindowTitle(qtText(kLimitCaptions[kind]));
  const std::vector<std::string> shown = limitInput(parameters_, values_);
  ParameterRows rows(this, parameters_, {kLimitNameColumn, kLimitRangeColumn});
  for (int k = 0; k < static_cast<int>(kParameterRecords); ++k) {
    const bool used = k < parameters_.count;
    QLineEdit* field = realField(this, qPrintable(QString("value%1").arg(k)),
                                 used ? shown[k] : std::string(), kLimitValueChars);
    connect(field, &QLineEdit::editingFinished, this, [this, field, k] {
      field->setText(QString::fromStdString(
          reformatLimit(parameters_, k, field->text().toStdString(), values_)));
    });
    rows.add(k, {new QLabel(qtText(parameterRangeText(parameters_, k)), this), field,
                 new QLabel(qtText(parameterUnitText(parameters_, k)), this)});
    fields_[k] = field;
  }
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(rows.grid());
  addButtonRow(layout);
}

std::optional<InputError> TFormLimit::store() {
  std::vector<std::string> input;
  for (int k = 0; k < parameters_.count; ++k) input.push_back(fields_[k]->text().toStdString());
  return acceptLimits(parameters_, input, values_);
}

}  // namespace zvc
