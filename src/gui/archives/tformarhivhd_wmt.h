#pragma once

#include "gui/archives/moisture_table_window.h"

namespace zvc {

// The moisture meter's hourly or daily table.
class TFormArhivHD_Wmt : public MoistureTableWindow {
  Q_OBJECT

 public:
  // `daily` chooses the daily table, otherwise the hourly one.
  TFormArhivHD_Wmt(bool daily, const ArchiveFileHeader& header, const ArchiveRecords& records,
                   const WorkingFolder& folder, Frontend& frontend, QWidget* parent = nullptr);
};

}  // namespace zvc
