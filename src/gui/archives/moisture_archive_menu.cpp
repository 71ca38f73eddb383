#include "gui/archives/moisture_archive_menu.h"

#include "core/archives/moisture_files.h"
#include "gui/app/gui_frontend.h"
#include "gui/archives/chrom_archive_menu.h"
#include "gui/archives/tformarhivhd_wmt.h"
#include "gui/archives/tformarhmeas_wmt.h"
#include "gui/widgets/file_dialogs.h"

namespace zvc {
namespace {

void showMoistureTable(const MainWindowContext& context, MoistureArchive archive,
                       const ArchiveFileHeader& header, const ArchiveRecords& records) {
  if (archive == MoistureArchive::kMeasurement) {
    TFormArhMeas_Wmt(header, records, context.folder, context.frontend, context.window).exec();
  } else {
    TFormArhivHD_Wmt(archive == MoistureArchive::kDaily, header, records, context.folder,
                     context.frontend, context.window)
        .exec();
  }
}

}  // namespace

void readMoistureMeasurements(const MainWindowContext& context) {
  const auto reading = readMeasurementPeriod(
      context, [](ChromArchiveReader& reader, const DateTime6& start, const DateTime6& end) {
        return reader.readMoistureMeasurements(start, end);
      });
  if (!reading) return;
  showMoistureTable(context, MoistureArchive::kMeasurement, reading->header, reading->records);
}

void readMoistureHourDay(const MainWindowContext& context, bool daily) {
  const auto reading = readHourDayPeriod(
      context, daily,
      [daily](ChromArchiveReader& reader, const DateTime6& start, const DateTime6& end) {
        return reader.readMoistureHourDay(daily, start, end);
      });
  if (!reading) return;
  showMoistureTable(context, daily ? MoistureArchive::kDaily : MoistureArchive::kHourly,
                    reading->header, reading->records);
}

void viewMoistureFile(const MainWindowContext& context, MoistureArchive archive) {
  const MoistureFileFormat& format = moistureFileFormat(archive);
  const auto file =
      askOpenFileName(context.window, context.folder.subfolder(format.folder), format.openFilter);
  if (!file) return;
  const auto saved = openMoistureFile(archive, *file, context.frontend);
  if (!saved) return;
  showMoistureTable(context, archive, saved->header, saved->records);
}

}  // namespace zvc
