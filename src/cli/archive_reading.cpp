#include "cli/archive_reading.h"

#include "cli/exit_status.h"
#include "cli/output_file.h"
#include "core/app/archive_dialog_settings.h"
#include "core/app/connection_step.h"
#include "core/archives/message_files.h"
#include "core/common/save_file_name.h"

namespace zvc::cli {
namespace {

constexpr int kInputErrorKind = 2;
constexpr int kFirstArchiveYear = 2000;
constexpr int kLastArchiveYear = 2255;  // what a year byte counted from 2000 holds
constexpr int kLastHourChoice = 0;
constexpr int kLastDayChoice = 1;

bool isCalendarDate(const DateTimeArgument& value) {
  return value.year >= kFirstArchiveYear && value.year <= kLastArchiveYear && value.month >= 1 &&
         value.month <= 12 && value.day >= 1 && value.day <= daysInMonth(value.year, value.month);
}

Date3 dateOf(const DateTimeArgument& value) {
  return {static_cast<std::uint8_t>(value.year - kFirstArchiveYear),
          static_cast<std::uint8_t>(value.month), static_cast<std::uint8_t>(value.day)};
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

}  // namespace

void showInputError(CommandContext& context, const InputError& error) {
  context.frontend.showMessage(kInputErrorKind, error.line1, error.line2);
}

std::optional<PeriodCheck> checkedPeriod(CommandContext& context, const DateTimeArgument& begin,
                                         const DateTimeArgument& end) {
  for (const DateTimeArgument& value : {begin, end}) {
    if (!isCalendarDate(value)) {
      refuse(context, "--period: no such date, or one before 2000");
      return std::nullopt;
    }
  }
  const std::string from[] = {std::to_string(begin.hour), std::to_string(begin.minute),
                              std::to_string(begin.second)};
  const std::string to[] = {std::to_string(end.hour), std::to_string(end.minute),
                            std::to_string(end.second)};
  PeriodCheck check = checkPeriodInput({dateOf(begin), from[0], from[1], from[2]},
                                       {dateOf(end), to[0], to[1], to[2]});
  if (check.error) {
    showInputError(context, *check.error);
    return std::nullopt;
  }
  return check;
}

std::optional<PeriodCheck> measurementPeriod(CommandContext& context,
                                             const PeriodRequest& request) {
  if (request.choice == PeriodChoice::kPeriod) {
    return checkedPeriod(context, request.begin, request.end);
  }
  const DateTime6 now = localNow();
  const int choice = request.choice == PeriodChoice::kLastHour ? kLastHourChoice : kLastDayChoice;
  const PeriodProposal proposal =
      proposePeriod(choice, now, ArchiveDialogSettings::defaults(dayCountFromDateTime(now)));
  return PeriodCheck{std::nullopt, proposal.begin, proposal.end};
}

std::optional<ShortDateCheck> hourDayPeriod(CommandContext& context, const PeriodRequest& request,
                                            bool daily, const ArchiveRange& range,
                                            const DateTime6& controllerClock) {
  DateTime6 start;
  DateTime6 end;
  if (request.choice == PeriodChoice::kPeriod) {
    start = momentOf(request.begin);
    end = momentOf(request.end);
  } else {
    const ShortDateProposal proposal =
        proposeShortPeriod(daily, kShortDateLastChoice, range, controllerClock);
    start = proposal.start;
    end = proposal.end;
  }
  ShortDateCheck check = checkShortPeriod(daily, start, end, range);
  if (check.error) {
    showInputError(context, *check.error);
    return std::nullopt;
  }
  return check;
}

bool validHourDayPeriod(CommandContext& context, const PeriodRequest& request) {
  if (request.choice != PeriodChoice::kPeriod) return true;
  for (const DateTimeArgument& value : {request.begin, request.end}) {
    if (!isCalendarDate(value) || value.hour > 23 || value.minute > 59 || value.second > 59) {
      refuse(context, "--period: no such date or time, or one before 2000");
      return false;
    }
  }
  return true;
}

bool checkedSaveFile(CommandContext& context, const std::optional<std::string>& given,
                     std::string_view extension, std::optional<std::filesystem::path>& file) {
  if (!given) return true;
  file = checkedOutputFile(context, withDefaultExtension(*given, extension));
  return file.has_value();
}

int openForReading(CommandContext& context, const ScratchFolder& scratch,
                   ControllerSession& session) {
  if (scratch.path().empty()) return refuse(context, "no temporary folder for the work files");
  if (const int status = session.openForTables(context.options.link); status != kExitSuccess) {
    return status;
  }
  return readWorkingTables(session.tables()) ? kExitSuccess : kExitLinkFailed;
}

int keepReading(CommandContext& context, int status,
                const std::optional<std::filesystem::path>& saveFile,
                const ArchiveFileHeader& header, const ArchiveRecords& records,
                const std::function<void()>& print) {
  if (!saveFile) {
    print();
  } else if (!writeMessageFile(*saveFile, header, records, context.frontend)) {
    return kExitBadInput;
  }
  return status;
}

namespace {

// `measurement` is the period of a measurement reading, settled before the link was opened.
std::optional<ChromReading> readByPeriod(CommandContext& context,
                                         const DeviceArchiveReading& reading,
                                         const std::optional<PeriodCheck>& measurement,
                                         ChromArchiveReader& reader, int& status) {
  if (measurement) {
    if (!reader.readClock()) {
      status = kExitLinkFailed;
      return std::nullopt;
    }
    return reading.read(reader, measurement->begin, measurement->end);
  }
  const auto range = reader.queryRange(reading.daily);
  if (!range) {
    // The query has told why: a failed read, or an archive without a complete interval.
    status = context.frontend.exchangeFailed() ? kExitLinkFailed : kExitSuccess;
    return std::nullopt;
  }
  const auto period =
      hourDayPeriod(context, reading.request, reading.daily, *range, reader.controllerClock());
  if (!period) {
    status = kExitBadInput;
    return std::nullopt;
  }
  return reading.read(reader, period->start, period->end);
}

}  // namespace

int readDeviceArchive(CommandContext& context, const DeviceArchiveReading& reading) {
  const PeriodRequest& request = reading.request;
  std::optional<PeriodCheck> measurement;
  if (reading.measurement) {
    measurement = measurementPeriod(context, request);
    if (!measurement) return kExitBadInput;
  } else if (!validHourDayPeriod(context, request)) {
    return kExitBadInput;
  }
  std::optional<std::filesystem::path> saveFile;
  if (!checkedSaveFile(context, request.saveFile, reading.extension, saveFile)) {
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
  const std::optional<ChromReading> records =
      readByPeriod(context, reading, measurement, reader, status);
  if (status != kExitSuccess) return status;
  // A reading cut short by a failed exchange, or by a controller that sent nothing new, still
  // gives what arrived, with status 1.
  const bool cutShort = context.frontend.exchangeFailed() || (records && records->cutShort);
  status = cutShort ? kExitLinkFailed : kExitSuccess;
  if (!records) return status;
  return keepReading(context, status, saveFile, records->header, records->records,
                     [&] { reading.print(*records); });
}

void printCells(TextOutput& out, std::span<const std::string> cells) {
  std::string line;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (i > 0) line += '\t';
    line += cells[i];
  }
  out.line(line);
}

}  // namespace zvc::cli
