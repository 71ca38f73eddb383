#pragma once

#include "gui/archives/moisture_table_window.h"

namespace zvc {

// The moisture meter's measurement table.
class TFormArhMeas_Wmt : public MoistureTableWindow {
  Q_OBJECT

 public:
  TFormArhMeas_Wmt(const ArchiveFileHeader& header, const ArchiveRecords& records,
                   const WorkingFolder& folder, Frontend& frontend, QWidget* parent = nullptr);
};

}  // namespace zvc
