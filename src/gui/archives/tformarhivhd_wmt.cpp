#include "gui/archives/tformarhivhd_wmt.h"

namespace zvc {

TFormArhivHD_Wmt::TFormArhivHD_Wmt(bool daily, const ArchiveFileHeader& header,
                                   const ArchiveRecords& records, const WorkingFolder& folder,
                                   Frontend& frontend, QWidget* parent)
    : MoistureTableWindow(daily ? MoistureArchive::kDaily : MoistureArchive::kHourly, header,
                          records, folder, frontend, parent) {}

}  // namespace zvc
