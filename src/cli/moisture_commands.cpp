#include "cli/moisture_commands.h"

#include <optional>

#include "cli/exit_status.h"
#include "cli/archive_reading.h"
#include "cli/print_command.h"
#include "core/archives/moisture_files.h"
#include "core/archives/print_question.h"
#include "report/moisture_report.h"

namespace zvc::cli {
namespace {

void printMoistureTable(const MoistureTable& table, TextOutput& out) {
  printTable(out, table.caption, table.columnCaptions, table.rows);
}

std::optional<SavedMoistureArchive> openFile(CommandContext& context, MoistureArchive& archive) {
  const std::filesystem::path file = context.options.file;
  const MoistureFileFormat* format = moistureFileFormatOf(file);
  if (format == nullptr) return std::nullopt;
  archive = format->archive;
  return openMoistureFile(format->archive, file, context.frontend);
}

}  // namespace

int MoistureReadCommand::run(CommandContext& context) {
  const bool daily = archive_ == MoistureArchive::kDaily;
  DeviceArchiveReading reading;
  reading.measurement = archive_ == MoistureArchive::kMeasurement;
  reading.daily = daily;
  reading.extension = moistureFileFormat(archive_).extension;
  reading.read = [&](ChromArchiveReader& reader, const DateTime6& start, const DateTime6& end) {
    return reading.measurement ? reader.readMoistureMeasurements(start, end)
                               : reader.readMoistureHourDay(daily, start, end);
  };
  reading.print = [&](const ChromReading& read) {
    printMoistureTable(buildMoistureTable(archive_, read.header, read.records), context.out);
  };
  return readDeviceArchive(context, reading);
}

int showMoistureFile(CommandContext& context) {
  MoistureArchive archive{};
  const auto saved = openFile(context, archive);
  if (!saved) return kExitBadInput;
  printMoistureTable(buildMoistureTable(archive, saved->header, saved->records), context.out);
  return kExitSuccess;
}

int printMoistureFile(CommandContext& context) {
  MoistureArchive archive{};
  const auto saved = openFile(context, archive);
  if (!saved) return kExitBadInput;
  const std::string organisation =
      OrganisationTitle::load(organisationTitleFile(context.folder)).text();
  const HeadlessGuiApplication application;
  const MoistureReport report(buildMoistureTable(archive, saved->header, saved->records),
                              saved->header, QString::fromStdString(organisation));
  return writePdfOrTell(context, report.buildReport());
}

}  // namespace zvc::cli
