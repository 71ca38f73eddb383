#include "gui/archives/tformarhmeas_wmt.h"

namespace zvc {

TFormArhMeas_Wmt::TFormArhMeas_Wmt(const ArchiveFileHeader& header, const ArchiveRecords& records,
                                   const WorkingFolder& folder, Frontend& frontend, QWidget* parent)
    : MoistureTableWindow(MoistureArchive::kMeasurement, header, records, folder, frontend,
                          parent) {}

}  // namespace zvc
