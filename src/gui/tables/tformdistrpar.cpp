#include "gui/tables/tformdistrpar.h"

#include <QComboBox>
#include <QFormLayout>
#include <QVBoxLayout>

#include "gui/widgets/choice_box.h"
#include "gui/widgets/dialog_layout.h"
#include "gui/widgets/qt_text.h"

namespace zvc {

TFormDistrPar::TFormDistrPar(PeriodSection section, SectionMode mode, Frontend& frontend,
                             QWidget* parent)
    : SectionDialog(mode, frontend, parent), section_(section) {
  setWindowTitle(qtText(oneLineLabel(kPeriodLabel)));
  period_ = choiceBox(this, "period", periodTexts(), periodInput(section_));
  auto* form = new QFormLayout;
  form->addRow(qtText(kPeriodLabel), withNote(period_, kHoursUnit));
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  addButtonRow(layout);
}

std::optional<InputError> TFormDistrPar::store() {
  return acceptPeriod(choiceOf(period_), section_);
}

}  // namespace zvc
