#include "gui/archives/chrom_archive_menu.h"

#include "core/app/program_settings.h"
#include "core/app/working_folder.h"
#include "core/archives/chart_series.h"
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
  std::unique_ptr<ChromTableWindow> window;
  if (archive == ChromArchive::kMeasurement) {
    window = std::make_unique<TFormArhMeas_Chr>(header, records, context.folder, context.frontend,
                                                context.window);
  } else {
    window = std::make_unique<TFormArhivHDM_Chr>(archive == ChromArchive::kDaily, header, records,
                                                 context.folder, context.frontend, context.window);
  }
  window->readSetpoints = [&context, &header] {
    return readWarningSetpoints(context.state, context.tables, context.image, header);
  };
  window->exec();
}

}  // namespace

std::optional<ChromReading> readMeasurementPeriod(const MainWindowContext& context,
                                                  const PeriodReading& read) {
  ChromArchiveReader reader(context.state, context.tables, context.folder.root());
  if (!reader.readClock()) return std::nullopt;
  TFormPeriod dialog(context.settings.archiveDialog, context.frontend, context.window);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return read(reader, dialog.begin(), dialog.end());
}

std::optional<ChromReading> readHourDayPeriod(const MainWindowContext& context, bool daily,
                                              const PeriodReading& read) {
  ChromArchiveReader reader(context.state, context.tables, context.folder.root());
  const auto range = reader.queryRange(daily);
  if (!range) return std::nullopt;
  TFormShortDate dialog(daily, *range, reader.controllerClock(), context.settings.shortPeriodChoice,
                        context.frontend, context.window);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return read(reader, dialog.start(), dialog.end());
}

void readChromMeasurements(const MainWindowContext& context, int run) {
  const auto reading = readMeasurementPeriod(
      context, [run](ChromArchiveReader& reader, const DateTime6& start, const DateTime6& end) {
        return reader.readMeasurements(run, start, end);
      });
  if (!reading) return;
  showChromTable(context, ChromArchive::kMeasurement, reading->header, reading->records);
}

void readChromHourDay(const MainWindowContext& context, bool daily, int run) {
  const auto reading = readHourDayPeriod(
      context, daily,
      [daily, run](ChromArchiveReader& reader, const DateTime6& start, const DateTime6& end) {
        return reader.readHourDay(daily, run, start, end);
      });
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
