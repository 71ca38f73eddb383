#include "cli/check_commands.h"

#include <optional>

#include "cli/exit_status.h"
#include "cli/output_file.h"
#include "cli/archive_reading.h"
#include "core/archives/spreadsheet_export.h"

namespace zvc::cli {
namespace {

PeriodReading periodReading(CheckArchive archive) {
  return {PeriodUnit::kMeasurement, false, checkArchiveFormat(archive).extension};
}

void printCheckTable(const CheckTable& table, TextOutput& out) {
  printTable(out, table.caption, table.headings, table.rows);
}

std::optional<CheckTable> openTable(CommandContext& context, const std::filesystem::path& file) {
  const CheckArchiveFormat* format = checkArchiveFormatOf(file);
  if (format == nullptr) return std::nullopt;
  const auto saved = openCheckFile(format->archive, file, context.frontend);
  if (!saved) return std::nullopt;
  return buildCheckTable(format->archive, saved->header, saved->records);
}

}  // namespace

int CheckReadCommand::run(CommandContext& context) {
  const PeriodRequest& request = request_;
  const std::optional<PeriodCheck> period = measurementPeriod(context, request);
  if (!period) return kExitBadInput;
  std::optional<std::filesystem::path> saveFile;
  if (!checkedSaveFile(context, request.saveFile, checkArchiveFormat(archive_).extension, saveFile)) {
    return kExitBadInput;
  }
  const ScratchFolder scratch;
  ControllerSession session(context.folder, context.frontend, context.errors);
  if (const int status = openForReading(context, scratch, session); status != kExitSuccess) {
    return status;
  }

  CheckArchiveReader reader(session.connection(), session.tables(), scratch.path());
  if (!reader.readClock()) return kExitLinkFailed;
  context.frontend.clearFailure();
  const std::optional<CheckReading> reading = reader.read(archive_, period->begin, period->end);
  // A reading cut short by a failed exchange still gives what arrived, with status 1.
  const int status = context.frontend.exchangeFailed() ? kExitLinkFailed : kExitSuccess;
  if (!reading) return status;
  return keepReading(context, status, saveFile, reading->header, reading->records, [&] {
    printCheckTable(buildCheckTable(archive_, reading->header, reading->records), context.out);
  });
}

int showCheckFile(CommandContext& context, const std::filesystem::path& file) {
  const auto table = openTable(context, file);
  if (!table) return kExitBadInput;
  printCheckTable(*table, context.out);
  return kExitSuccess;
}

int exportCheckFile(CommandContext& context, const std::filesystem::path& file,
                    const std::string& xlsxFile) {
  const auto table = openTable(context, file);
  if (!table) return kExitBadInput;
  const auto out = checkedOutputFile(context, withDefaultExtension(xlsxFile, ".xlsx"));
  if (!out) return kExitBadInput;
  return exportCheckTable(*table, *out, context.frontend) ? kExitSuccess : kExitBadInput;
}

CommandHelp CheckReadCommand::help() const {
  const bool calibration = archive_ == CheckArchive::kCalibration;
  const std::string name = calibration ? "calib" : "verif";
  return {name,
          calibration ? "the chromatograph's calibration archive"
                      : "the chromatograph's verification archive",
          name + " (" + periodChoices(periodReading(archive_), " | ") + ") [--save FILE]",
          std::string("The chromatograph's ") + (calibration ? "calibration" : "verification") +
              " archive (" + std::string(checkArchiveFormat(archive_).extension) +
              "), read for a period."};
}

void CheckReadCommand::declare(OptionDeclarations& options) const {
  declarePeriodOptions(options, periodReading(archive_));
  declareLinkOptions(options);
}

void CheckReadCommand::accept(const GivenArguments& given) {
  expectWords(given, 0, 0, help().name);
  request_ = readPeriodRequest(given, periodReading(archive_));
}

}  // namespace zvc::cli
