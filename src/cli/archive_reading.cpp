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
  return value.year >= kFirstArchiveYear && value.year <= kLastArchiveYear && value.day >= 1 &&
         value.day <= daysInMonth(value.year, value.month);
}

Date3 dateOf(const DateTimeArgument& value) {
  return {static_cast<std::uint8_t>(value.year - kFirstArchiveYear),
          static_cast<std::uint8_t>(value.month), static_cast<std::uint8_t>(value.day)};
}

}  // namespace

void showInputError(CommandContext& context, const InputError& error) {
  context.frontend.showMessage(kInputErrorKind, error.line1, error.line2);
}

std::optional<PeriodCheck> checkedPeriodArguments(CommandContext& context,
                                                  const DateTimeArgument& begin,
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
    return checkedPeriodArguments(context, request.begin, request.end);
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
    for (const DateTimeArgument& value : {request.begin, request.end}) {
      if (!isCalendarDate(value) || value.hour > 23) {
        refuse(context, "--period: no such date or hour, or one before 2000");
        return std::nullopt;
      }
    }
    start = dateOf(request.begin).toDateTime6();
    end = dateOf(request.end).toDateTime6();
    if (!daily) {
      start.hour = static_cast<std::uint8_t>(request.begin.hour);
      end.hour = static_cast<std::uint8_t>(request.end.hour);
    }
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

void printCells(TextOutput& out, std::span<const std::string> cells) {
  std::string line;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (i > 0) line += '\t';
    line += cells[i];
  }
  out.line(line);
}

}  // namespace zvc::cli
