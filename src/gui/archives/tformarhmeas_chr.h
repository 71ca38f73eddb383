#pragma once

#include "gui/archives/chrom_table_window.h"

namespace zvc {

// The chromatograph's measurement table, with the legend of the zone marks.
class TFormArhMeas_Chr : public ChromTableWindow {
  Q_OBJECT

 public:
  TFormArhMeas_Chr(const ArchiveFileHeader& header, const ArchiveRecords& records,
                   const WorkingFolder& folder, Frontend& frontend, QWidget* parent = nullptr);
};

}  // namespace zvc
