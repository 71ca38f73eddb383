#pragma once

#include "core/tables/upper_link_section.h"
#include "gui/tables/section_dialog.h"

class QComboBox;
class QLineEdit;

namespace zvc {

// " Параметры связи с верхним уровнем ": the controller's address, rate and answer preambles
// (table 3). The rate list is closed when the controller's rate cannot be changed from here.
class TFormConVU : public SectionDialog {
  Q_OBJECT

 public:
  TFormConVU(UpperLinkSection section, SectionMode mode, bool rateEditable, Frontend& frontend,
             QWidget* parent = nullptr);

 protected:
  std::optional<InputError> store() override;

 private:
  UpperLinkSection section_;
  QComboBox* address_ = nullptr;
  QComboBox* rate_ = nullptr;
  QLineEdit* preambles_ = nullptr;
};

}  // namespace zvc
