#include "cli/chrom_commands.h"

#include <string>
#include <vector>

#include "cli/archive_command.h"
#include "cli/cli_output.h"
#include "cli/controller_session.h"
#include "cli/exit_status.h"
#include "cli/output_file.h"
#include "cli/scratch_folder.h"
#include "core/archives/chrom_archive_reader.h"
#include "core/archives/chrom_files.h"
#include "core/archives/short_date_dialog.h"
#include "core/archives/spreadsheet_export.h"
#include "core/common/save_file_name.h"

namespace zvc::cli {
namespace {

std::optional<ChromTable> openTable(CommandContext& context) {
  const std::filesystem::path file = context.options.file;
  const ChromFileFormat* format = chromFileFormatOf(file);
  if (format == nullptr) {
    refuse(context, "\"" + file.string() + "\" is not a chromatograph file (.mch, .hch, .dch)");
    return std::nullopt;
  }
  const auto saved = openChromFile(format->archive, file, context.frontend);
  if (!saved) return std::nullopt;
  return buildChromTable(format->archive, saved->header, saved->records);
}

void printRow(TextOutput& out, const std::vector<std::string>& cells) {
  std::string line;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (i > 0) line += '\t';
    line += cells[i];
  }
  out.line(line);
}

void printTable(TextOutput& out, const ChromTable& table) {
  out.line(table.caption);
  for (const auto& row : table.headings) printRow(out, row);
  for (const auto& row : table.rows) printRow(out, row);
}

DateTime6 momentOf(const DateTimeArgument& value) {
  const Date3 date = dateOf(value);
  return {date.year,
          date.month,
          date.day,
          static_cast<std::uint8_t>(value.hour),
          static_cast<std::uint8_t>(value.minute),
          static_cast<std::uint8_t>(value.second)};
}

// The hourly or daily period: the quick choice or the given one, checked and clipped to the
// archive's range as the period dialog does.
std::optional<ShortDateCheck> hourDayPeriod(CommandContext& context, bool daily,
                                            const ArchiveRange& range,
                                            const DateTime6& controllerClock) {
  const ChromArchiveRequest& request = context.options.chromArchive;
  DateTime6 start;
  DateTime6 end;
  if (request.lastPeriod) {
    const ShortDateProposal proposal =
        proposeShortPeriod(daily, kShortDateLastChoice, range, controllerClock);
    start = proposal.start;
    end = proposal.end;
  } else {
    start = momentOf(request.begin);
    end = momentOf(request.end);
  }
  ShortDateCheck check = checkShortPeriod(daily, start, end, range);
  if (check.error) {
    showInputError(context, *check.error);
    return std::nullopt;
  }
  return check;
}

bool validMoments(CommandContext& context) {
  const ChromArchiveRequest& request = context.options.chromArchive;
  if (request.lastPeriod) return true;
  for (const DateTimeArgument& value : {request.begin, request.end}) {
    if (!isCalendarDate(value) || value.hour > 23 || value.minute > 59 || value.second > 59) {
      refuse(context, "--period: no such date or time, or one before 2000");
      return false;
    }
  }
  return true;
}

}  // namespace

int showChromFile(CommandContext& context) {
  const auto table = openTable(context);
  if (!table) return kExitBadInput;
  printTable(context.out, *table);
  return kExitSuccess;
}

int ChromArchiveCommand::run(CommandContext& context) {
  const ChromArchiveRequest& request = context.options.chromArchive;
  const bool measurement = archive_ == ChromArchive::kMeasurement;
  const bool daily = archive_ == ChromArchive::kDaily;
  std::optional<PeriodCheck> period;
  if (measurement) {
    period = checkedPeriod(context, request.begin, request.end);
    if (!period) return kExitBadInput;
  } else if (!validMoments(context)) {
    return kExitBadInput;
  }
  std::optional<std::filesystem::path> saveFile;
  if (request.saveFile) {
    saveFile = checkedOutputFile(
        context, withDefaultExtension(*request.saveFile, chromFileFormat(archive_).extension));
    if (!saveFile) return kExitBadInput;
  }
  const ScratchFolder scratch;
  if (scratch.path().empty()) return refuse(context, "no temporary folder for the work files");

  ControllerSession session(context.folder, context.frontend, context.errors);
  if (const int status = openForArchive(context, session); status != kExitSuccess) return status;
  ChromArchiveReader reader(session.connection(), session.tables(), scratch.path());
  context.frontend.clearFailure();
  std::optional<ChromReading> reading;
  if (measurement) {
    if (!reader.readClock()) return kExitLinkFailed;
    reading = reader.readMeasurements(request.run, period->begin, period->end);
  } else {
    const auto range = reader.queryRange(daily);
    if (!range) return context.frontend.exchangeFailed() ? kExitLinkFailed : kExitSuccess;
    const auto checked = hourDayPeriod(context, daily, *range, reader.controllerClock());
    if (!checked) return kExitBadInput;
    reading = reader.readHourDay(daily, request.run, checked->start, checked->end);
  }
  // A reading cut short by a failed exchange still gives what arrived, with status 1.
  const int status = context.frontend.exchangeFailed() ? kExitLinkFailed : kExitSuccess;
  if (!reading) return status;
  if (!saveFile) {
    printTable(context.out, buildChromTable(archive_, reading->header, reading->records));
  } else if (!writeMessageFile(*saveFile, reading->header, reading->records, context.frontend)) {
    return kExitBadInput;
  }
  return status;
}

int ExportCommand::run(CommandContext& context) {
  const auto table = openTable(context);
  if (!table) return kExitBadInput;
  const auto out =
      checkedOutputFile(context, withDefaultExtension(context.options.xlsxFile, ".xlsx"));
  if (!out) return kExitBadInput;
  return exportChromTable(*table, *out, context.frontend) ? kExitSuccess : kExitBadInput;
}

}  // namespace zvc::cli
