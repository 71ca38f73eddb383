#pragma once

#include "gui/widgets/report_output.h"
#include "report/message_report.h"

class QWidget;

namespace zvc {

class Frontend;

// The print form of a diagnostic or intervention view: the message report sent to the printer,
// or to a PDF file where no printer is installed.
class TFormPrnArhiv : public MessageReport {
 public:
  using MessageReport::MessageReport;

  // Sends the report out (see sendReport). A report longer than the band limit is announced
  // first and printed up to the limit.
  bool print(QWidget* parent, Frontend& frontend, const ReportOutput& output = {}) const;
};

}  // namespace zvc
