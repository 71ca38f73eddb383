#pragma once

#include "gui/archives/chrom_table_window.h"

namespace zvc {

// The chromatograph's hourly or daily table.
class TFormArhivHDM_Chr : public ChromTableWindow {
  Q_OBJECT

 public:
  // `daily` chooses the daily table, otherwise the hourly one.
  TFormArhivHDM_Chr(bool daily, const ArchiveFileHeader& header, const ArchiveRecords& records,
                    const WorkingFolder& folder, Frontend& frontend, QWidget* parent = nullptr);
};

}  // namespace zvc
