#pragma once

#include <array>

#include "core/tables/names_section.h"
#include "gui/tables/section_dialog.h"

class QLineEdit;

namespace zvc {

// "Наименования": the names of the controller and of the two pipeline runs (table 5).
class TFormContrName : public SectionDialog {
  Q_OBJECT

 public:
  TFormContrName(NamesSection section, SectionMode mode, Frontend& frontend,
                 QWidget* parent = nullptr);

 protected:
  std::optional<InputError> store() override;

 private:
  NamesSection section_;
  std::array<QLineEdit*, kNameCount> names_{};
};

}  // namespace zvc
