#include "gui/tables/tformdistr.h"

#include <QComboBox>
#include <QGridLayout>
#include <QVBoxLayout>

#include "gui/tables/parameter_rows.h"
#include "gui/widgets/choice_box.h"
#include "gui/widgets/qt_text.h"

namespace zvc {

TFormDistr::TFormDistr(MeasuredParameters parameters, WriteNeedSection section, SectionMode mode,
                       Frontend& frontend, QWidget* parent)
    : SectionDialog(mode, frontend, parent), parameters_(parameters), section_(section) {
  setWindowTitle(qtText(kWriteNeedCaption));
  const std::vector<std::optional<int>> shown = writeNeedInput(parameters_, section_);
  const std::vector<std::string> texts(kWriteNeedChoices.begin(), kWriteNeedChoices.end());
  ParameterRows rows(this, parameters_, {kWriteNeedNameColumn, kWriteNeedColumn});
  for (int k = 0; k < static_cast<int>(kParameterRecords); ++k) {
    const std::optional<int> chosen = k < parameters_.count ? shown[k] : std::nullopt;
    choices_[k] = choiceBox(this, qPrintable(QString("need%1").arg(k)), texts, chosen);
    rows.add(k, {choices_[k]});
  }
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(rows.grid());
  addButtonRow(layout);
}

std::optional<InputError> TFormDistr::store() {
  std::vector<std::optional<int>> input;
  for (int k = 0; k < parameters_.count; ++k) input.push_back(choiceOf(choices_[k]));
  return acceptWriteNeed(parameters_, input, section_);
}

}  // namespace zvc
