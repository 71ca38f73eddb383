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

void printTable(const MoistureTable& table, TextOutput& out) {
  out.line(table.caption);
  for (const auto& line : table.columnCaptions) printCells(out, line);
  for (const auto& row : table.rows) printCells(out, row);
}

// `measurement` is the period of a measurement reading, settled before the link was opened.
std::optional<ChromReading> readArchive(CommandContext& context, MoistureArchive archive,
                                        const std::optional<PeriodCheck>& measurement,
                                        ChromArchiveReader& reader, int& status) {
  const PeriodRequest& request = context.options.period;
  if (measurement) {
    const auto& period = measurement;
    if (!reader.readClock()) {
      status = kExitLinkFailed;
      return std::nullopt;
    }
    return reader.readMoistureMeasurements(period->begin, period->end);
  }
  const bool daily = archive == MoistureArchive::kDaily;
  const auto range = reader.queryRange(daily);
  if (!range) {
    // The query has told why: a failed read, or an archive without a complete interval.
    status = context.frontend.exchangeFailed() ? kExitLinkFailed : kExitSuccess;
    return std::nullopt;
  }
  const auto period = hourDayPeriod(context, request, daily, *range, reader.controllerClock());
  if (!period) {
    status = kExitBadInput;
    return std::nullopt;
  }
  return reader.readMoistureHourDay(daily, period->start, period->end);
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
  const PeriodRequest& request = context.options.period;
  std::optional<PeriodCheck> measurement;
  if (archive_ == MoistureArchive::kMeasurement) {
    measurement = measurementPeriod(context, request);
    if (!measurement) return kExitBadInput;
  }
  std::optional<std::filesystem::path> saveFile;
  if (!checkedSaveFile(context, request.saveFile, moistureFileFormat(archive_).extension, saveFile)) {
    return kExitBadInput;
  }
  const ScratchFolder scratch;
  ControllerSession session(context.folder, context.frontend, context.errors);
  if (const int status = openForReading(context, scratch, session); status != kExitSuccess) {
    return status;
  }

  ChromArchiveReader reader(session.connection(), session.tables(), scratch.path());
  context.frontend.clearFailure();
  int status = kExitSuccess;
  const std::optional<ChromReading> reading = readArchive(context, archive_, measurement, reader, status);
  if (status != kExitSuccess) return status;
  // A reading cut short by a failed exchange still gives what arrived, with status 1.
  status = context.frontend.exchangeFailed() ? kExitLinkFailed : kExitSuccess;
  if (!reading) return status;
  return keepReading(context, status, saveFile, reading->header, reading->records, [&] {
    printTable(buildMoistureTable(archive_, reading->header, reading->records), context.out);
  });
}

int showMoistureFile(CommandContext& context) {
  MoistureArchive archive{};
  const auto saved = openFile(context, archive);
  if (!saved) return kExitBadInput;
  printTable(buildMoistureTable(archive, saved->header, saved->records), context.out);
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
