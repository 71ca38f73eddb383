#include "gui/archives/tformprnhdm_wmt.h"

namespace zvc {

bool TFormPrnHDM_Wmt::print(QWidget* parent, Frontend& frontend, const ReportOutput& output) const {
  return sendReport(buildReport(), parent, frontend, output);
}

}  // namespace zvc
