#pragma once

#include <array>

#include "core/tables/time_sync_section.h"
#include "gui/tables/section_dialog.h"

class QCheckBox;

namespace zvc {

// " Синхронизация времени": whether the controller sets its clock from the flow computer or the
// computer, and whether the chromatograph follows at those moments.
class TFormSinhr : public SectionDialog {
  Q_OBJECT

 public:
  TFormSinhr(TimeSyncSection section, SectionMode mode, Frontend& frontend,
             QWidget* parent = nullptr);

 protected:
  std::optional<InputError> store() override;

 private:
  // A chromatograph box is open only while its controller box is ticked.
  void controllerToggled(int source, bool ticked);

  TimeSyncSection section_;
  std::array<QCheckBox*, 2> controller_{};
  std::array<QCheckBox*, 2> chromatograph_{};
};

}  // namespace zvc
