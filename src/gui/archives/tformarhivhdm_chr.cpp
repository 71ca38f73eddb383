#include "gui/archives/tformarhivhdm_chr.h"

namespace zvc {

TFormArhivHDM_Chr::TFormArhivHDM_Chr(bool daily, const ArchiveFileHeader& header,
                                     const ArchiveRecords& records, const WorkingFolder& folder,
                                     Frontend& frontend, QWidget* parent)
    : ChromTableWindow(daily ? ChromArchive::kDaily : ChromArchive::kHourly, header, records,
                       folder, frontend, parent) {}

}  // namespace zvc
