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

}  // namespace

std::optional<ChromTable> openChromTable(CommandContext& context, std::string_view notOneOf) {
  const std::filesystem::path file = context.options.file;
  const ChromFileFormat* format = chromFileFormatOf(file);
  if (format == nullptr) {
    refuse(context, "\"" + file.string() + "\" is not a file with " + std::string(notOneOf));
    return std::nullopt;
  }
  const auto saved = openChromFile(format->archive, file, context.frontend);
  if (!saved) return std::nullopt;
  return buildChromTable(format->archive, saved->header, saved->records);
}

int showChromFile(CommandContext& context) {
  const auto table = openChromTable(context, kSpreadsheetFiles);
  if (!table) return kExitBadInput;
  printTable(context.out, table->caption, table->headings, table->rows);
  return kExitSuccess;
}

int ChromArchiveCommand::run(CommandContext& context) {
  const int run = context.options.period.run;
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
  return readDeviceArchive(context, reading);
}

int ExportCommand::run(CommandContext& context) {
  if (checkArchiveFormatOf(context.options.file) != nullptr) return exportCheckFile(context);
  const auto table = openChromTable(context, kSpreadsheetFiles);
  if (!table) return kExitBadInput;
  const auto out =
      checkedOutputFile(context, withDefaultExtension(context.options.xlsxFile, ".xlsx"));
  if (!out) return kExitBadInput;
  return exportChromTable(*table, *out, context.frontend) ? kExitSuccess : kExitBadInput;
}

}  // namespace zvc::cli
