#include "cli/chrom_commands.h"

#include <string>
#include <vector>

#include "cli/archive_reading.h"
#include "cli/check_commands.h"
#include "cli/cli_output.h"
#include "cli/exit_status.h"
#include "cli/output_file.h"
#include "core/archives/chrom_files.h"
#include "core/archives/spreadsheet_export.h"
#include "core/common/save_file_name.h"

namespace zvc::cli {
namespace {

constexpr std::string_view kSpreadsheetFiles = "a spreadsheet (.mch, .hch, .dch, .clb, .vrf)";

PeriodReading periodReading(ChromArchive archive) {
  const PeriodUnit unit = archive == ChromArchive::kMeasurement ? PeriodUnit::kMeasurement
                          : archive == ChromArchive::kHourly    ? PeriodUnit::kHour
                                                                : PeriodUnit::kDay;
  return {unit, true, chromFileFormat(archive).extension};
}

}  // namespace

std::optional<ChromTable> openChromTable(CommandContext& context, const std::filesystem::path& file,
                                         std::string_view notOneOf) {
  const ChromFileFormat* format = chromFileFormatOf(file);
  if (format == nullptr) {
    refuse(context, "\"" + file.string() + "\" is not a file with " + std::string(notOneOf));
    return std::nullopt;
  }
  const auto saved = openChromFile(format->archive, file, context.frontend);
  if (!saved) return std::nullopt;
  return buildChromTable(format->archive, saved->header, saved->records);
}

int showChromFile(CommandContext& context, const std::filesystem::path& file) {
  const auto table = openChromTable(context, file, kSpreadsheetFiles);
  if (!table) return kExitBadInput;
  printTable(context.out, table->caption, table->headings, table->rows);
  return kExitSuccess;
}

int ChromArchiveCommand::run(CommandContext& context) {
  const int run = request_.run;
  const bool daily = archive_ == ChromArchive::kDaily;
  DeviceArchiveReading reading;
  reading.measurement = archive_ == ChromArchive::kMeasurement;
  reading.daily = daily;
  reading.extension = chromFileFormat(archive_).extension;
  reading.read = [&](ChromArchiveReader& reader, const DateTime6& start, const DateTime6& end) {
    return reading.measurement ? reader.readMeasurements(run, start, end)
                               : reader.readHourDay(daily, run, start, end);
  };
  reading.print = [&](const ChromReading& read) {
    const ChromTable table = buildChromTable(archive_, read.header, read.records);
    printTable(context.out, table.caption, table.headings, table.rows);
  };
  reading.request = request_;
  return readDeviceArchive(context, reading);
}

int ExportCommand::run(CommandContext& context) {
  if (checkArchiveFormatOf(file_) != nullptr) return exportCheckFile(context, file_, xlsxFile_);
  const auto table = openChromTable(context, file_, kSpreadsheetFiles);
  if (!table) return kExitBadInput;
  const auto out = checkedOutputFile(context, withDefaultExtension(xlsxFile_, ".xlsx"));
  if (!out) return kExitBadInput;
  return exportChromTable(*table, *out, context.frontend) ? kExitSuccess : kExitBadInput;
}

CommandHelp ChromArchiveCommand::help() const {
  const PeriodReading reading = periodReading(archive_);
  const std::string usage = " --run 1|2 (" + periodChoices(reading, " | ") + ") [--save FILE]";
  switch (archive_) {
    case ChromArchive::kMeasurement:
      return {"meas", "the chromatograph's measurement archive of a run", "meas" + usage,
              "The chromatograph's measurement archive of the run (.mch), read for a period;\n"
              "--last-hour / --last-day are its period dialog's quick choices (by the\n"
              "computer's clock)."};
    case ChromArchive::kHourly:
    case ChromArchive::kDaily:
      break;
  }
  const bool daily = archive_ == ChromArchive::kDaily;
  return {daily ? "day" : "hour",
          daily ? "the chromatograph's daily archive of a run"
                : "the chromatograph's hourly archive of a run",
          (daily ? "day" : "hour") + usage,
          std::string("The chromatograph's ") + (daily ? "daily (.dch)" : "hourly (.hch)") +
              " archive of the run. The period is checked against\n"
              "the range the archive holds and clipped to it as the period dialog does;\n" +
              (daily ? "--last-month is" : "--last-day is") +
              " the dialog's quick choice (by the controller's clock). A record\n"
              "outside the period asks whether to read on: \"Нет\" keeps what was read (with\n"
              "--yes \"Да\")."};
}

void ChromArchiveCommand::declare(OptionDeclarations& options) const {
  declarePeriodOptions(options, periodReading(archive_));
  declareLinkOptions(options);
}

void ChromArchiveCommand::accept(const GivenArguments& given) {
  expectWords(given, 0, 0, help().name);
  request_ = readPeriodRequest(given, periodReading(archive_));
}

CommandHelp ExportCommand::help() const {
  return {"export", "a saved file as the spreadsheet of its table window",
          "export FILE --xlsx OUT.xlsx",
          "A saved .mch, .hch, .dch, .clb or .vrf file as the spreadsheet its table window\n"
          "writes."};
}

void ExportCommand::declare(OptionDeclarations& options) const {
  options.value("--xlsx", "OUT.xlsx",
                "the spreadsheet (\".xlsx\" appended to a name without extension); an\n"
                "existing OUT is replaced only with --yes");
}

void ExportCommand::accept(const GivenArguments& given) {
  file_ = expectWords(given, 1, 1, "export")[0];
  const std::string* xlsx = given.single("--xlsx");
  if (xlsx == nullptr || xlsx->empty()) throw Refusal{"export needs --xlsx OUT.xlsx"};
  xlsxFile_ = *xlsx;
}

}  // namespace zvc::cli
