#pragma once

#include "core/tables/moisture_meter_link_section.h"
#include "gui/tables/section_dialog.h"

class QComboBox;

namespace zvc {

// " Параметры связи с влагомером": the MODBUS link to the moisture meter and its model
// (table 15).
class TFormConnWMT : public SectionDialog {
  Q_OBJECT

 public:
  TFormConnWMT(MoistureMeterLinkSection section, SectionMode mode, Frontend& frontend,
               QWidget* parent = nullptr);

 protected:
  std::optional<InputError> store() override;

 private:
  MoistureMeterLinkSection section_;
  QComboBox* address_ = nullptr;
  QComboBox* rate_ = nullptr;
  QComboBox* mode_ = nullptr;
  QComboBox* timeout_ = nullptr;
  QComboBox* failures_ = nullptr;
  QComboBox* type_ = nullptr;
};

}  // namespace zvc
