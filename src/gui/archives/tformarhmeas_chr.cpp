#include "gui/archives/tformarhmeas_chr.h"

namespace zvc {

TFormArhMeas_Chr::TFormArhMeas_Chr(const ArchiveFileHeader& header, const ArchiveRecords& records,
                                   const WorkingFolder& folder, Frontend& frontend, QWidget* parent)
    : ChromTableWindow(ChromArchive::kMeasurement, header, records, folder, frontend, parent) {}

}  // namespace zvc
