#include "gui/tables/tformcontrname.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace zvc {

TFormContrName::TFormContrName(NamesSection section, SectionMode mode, Frontend& frontend,
                               QWidget* parent)
    : SectionDialog(mode, frontend, parent), section_(section) {
  setWindowTitle(QString::fromUtf8(kNamesCaption));
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  const NamesInput shown = namesInput(section_);
  for (std::size_t name = 0; name < kNameCount; ++name) {
    names_[name] = new QLineEdit(QString::fromStdString(shown[name]), this);
    names_[name]->setObjectName(QString("name%1").arg(name));
    names_[name]->setMaxLength(static_cast<int>(kNameBytes));
    names_[name]->setMinimumWidth(names_[name]->fontMetrics().horizontalAdvance('W') * 16);
    form->addRow(QString::fromUtf8(kNameLabels[name]), names_[name]);
  }
  layout->addLayout(form);
  addButtonRow(layout);
}

std::optional<InputError> TFormContrName::store() {
  NamesInput input;
  for (std::size_t name = 0; name < kNameCount; ++name) {
    input[name] = names_[name]->text().toStdString();
  }
  return acceptNames(input, section_);
}

}  // namespace zvc
