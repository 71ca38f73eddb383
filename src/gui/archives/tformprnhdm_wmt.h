#pragma once

#include "gui/widgets/report_output.h"
#include "report/moisture_report.h"

class QWidget;

namespace zvc {

class Frontend;

// The print form of a moisture-meter table: the report sent to the printer, or to a PDF file
// where no printer is installed.
class TFormPrnHDM_Wmt : public MoistureReport {
 public:
  using MoistureReport::MoistureReport;

  // Sends the report out (see sendReport).
  bool print(QWidget* parent, Frontend& frontend, const ReportOutput& output = {}) const;
};

}  // namespace zvc
