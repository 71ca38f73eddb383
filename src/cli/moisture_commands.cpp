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

PeriodReading periodReading(MoistureArchive archive) {
  const PeriodUnit unit = archive == MoistureArchive::kMeasurement ? PeriodUnit::kMeasurement
                          : archive == MoistureArchive::kHourly    ? PeriodUnit::kHour
                                                                   : PeriodUnit::kDay;
  return {unit, false, moistureFileFormat(archive).extension};
}

void printMoistureTable(const MoistureTable& table, TextOutput& out) {
  printTable(out, table.caption, table.columnCaptions, table.rows);
}

std::optional<SavedMoistureArchive> openFile(CommandContext& context,
                                             const std::filesystem::path& file,
                                             MoistureArchive& archive) {
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
  reading.request = request_;
  return readDeviceArchive(context, reading);
}

int showMoistureFile(CommandContext& context, const std::filesystem::path& file) {
  MoistureArchive archive{};
  const auto saved = openFile(context, file, archive);
  if (!saved) return kExitBadInput;
  printMoistureTable(buildMoistureTable(archive, saved->header, saved->records), context.out);
  return kExitSuccess;
}

int printMoistureFile(CommandContext& context, const std::filesystem::path& file,
                      const std::string& pdfFile) {
  MoistureArchive archive{};
  const auto saved = openFile(context, file, archive);
  if (!saved) return kExitBadInput;
  const std::string organisation =
      OrganisationTitle::load(organisationTitleFile(context.folder)).text();
  const HeadlessGuiApplication application;
  const MoistureReport report(buildMoistureTable(archive, saved->header, saved->records),
                              saved->header, QString::fromStdString(organisation));
  return writePdfOrTell(context, report.buildReport(), pdfFile);
}

CommandHelp MoistureReadCommand::help() const {
  const PeriodReading reading = periodReading(archive_);
  const char* const names[] = {"moist-meas", "moist-hour", "moist-day"};
  const char* const archives[] = {"measurement", "hourly", "daily"};
  const auto at = static_cast<std::size_t>(reading.unit);
  return {names[at], std::string("the moisture meter's ") + archives[at] + " archive",
          std::string(names[at]) + " (" + periodChoices(reading, " | ") + ") [--save FILE]",
          std::string("The moisture meter's ") + archives[at] + " archive (" +
              std::string(reading.extension) +
              "), read for a period as meas, hour\n"
              "and day read theirs."};
}

void MoistureReadCommand::declare(OptionDeclarations& options) const {
  declarePeriodOptions(options, periodReading(archive_));
  declareLinkOptions(options);
}

void MoistureReadCommand::accept(const GivenArguments& given) {
  expectWords(given, 0, 0, help().name);
  request_ = readPeriodRequest(given, periodReading(archive_));
}

}  // namespace zvc::cli
