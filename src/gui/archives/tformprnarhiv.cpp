#include "gui/archives/tformprnarhiv.h"

namespace zvc {

bool TFormPrnArhiv::print(QWidget* parent, Frontend& frontend, const ReportOutput& output) const {
  announceCut(frontend);
  return sendReport(buildReport(), parent, frontend, output);
}

}  // namespace zvc
