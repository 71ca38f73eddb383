#include "gui/archives/chrom_archive_menu.h"

#include "core/app/program_settings.h"
#include "core/app/working_folder.h"
#include "core/archives/chrom_archive_reader.h"
#include "core/archives/chrom_files.h"
#include "gui/app/gui_frontend.h"
#include "gui/archives/tformarhivhdm_chr.h"
#include "gui/archives/tformarhmeas_chr.h"
#include "gui/archives/tformperiod.h"
#include "gui/archives/tformshortdate.h"
#include "gui/widgets/file_dialogs.h"

namespace zvc {
namespace {

void showChromTable(const MainWindowContext& context, ChromArchive archive,
                    const ArchiveFileHeader& header, const ArchiveRecords& records) {
  if (archive == ChromArchive::kMeasurement) {
    TFormArhMeas_Chr(header, records, context.folder, context.frontend, context.window).exec();
  } else {
    TFormArhivHDM_Chr(archive == ChromArchive::kDaily, header, records, context.folder,
                      context.frontend, context.window)
        .exec();
  }
}

}  // namespace

void readChromMeasurements(const MainWindowContext& context, int run) {
  ChromArchiveReader reader(context.state, context.tables, context.folder.root());
  if (!reader.readClock()) return;
  TFormPeriod dialog(context.settings.archiveDialog, context.frontend, context.window);
  if (dialog.exec() != QDialog::Accepted) return;
  const auto reading = reader.readMeasurements(run, dialog.begin(), dialog.end());
  if (!reading) return;
  showChromTable(context, ChromArchive::kMeasurement, reading->header, reading->records);
}

void readChromHourDay(const MainWindowContext& context, bool daily, int run) {
  ChromArchiveReader reader(context.state, context.tables, context.folder.root());
  const auto range = reader.queryRange(daily);
  if (!range) return;
  TFormShortDate dialog(daily, *range, reader.controllerClock(), context.settings.shortPeriodChoice,
                        context.frontend, context.window);
  if (dialog.exec() != QDialog::Accepted) return;
  const auto reading = reader.readHourDay(daily, run, dialog.start(), dialog.end());
  if (!reading) return;
  showChromTable(context, daily ? ChromArchive::kDaily : ChromArchive::kHourly, reading->header,
                 reading->records);
}

void viewChromFile(const MainWindowContext& context, ChromArchive archive) {
  const ChromFileFormat& format = chromFileFormat(archive);
  const auto file =
      askOpenFileName(context.window, context.folder.subfolder(format.folder), format.openFilter);
  if (!file) return;
  const auto saved = openChromFile(archive, *file, context.frontend);
  if (!saved) return;
  showChromTable(context, archive, saved->header, saved->records);
}

}  // namespace zvc
