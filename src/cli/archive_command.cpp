#include "cli/archive_command.h"

#include <string>

#include "cli/controller_session.h"
#include "cli/exit_status.h"
#include "cli/output_file.h"
#include "cli/scratch_folder.h"
#include "cli/view_printer.h"
#include "core/app/connection_step.h"
#include "core/common/calendar.h"

namespace zvc::cli {
namespace {

constexpr int kInputErrorKind = 2;
constexpr int kFirstArchiveYear = 2000;
constexpr int kLastArchiveYear = 2255;  // what a year byte counted from 2000 holds

}  // namespace

bool isCalendarDate(const DateTimeArgument& value) {
  return value.year >= kFirstArchiveYear && value.year <= kLastArchiveYear && value.month >= 1 &&
         value.month <= 12 && value.day >= 1 && value.day <= daysInMonth(value.year, value.month);
}

Date3 dateOf(const DateTimeArgument& value) {
  return {static_cast<std::uint8_t>(value.year - kFirstArchiveYear),
          static_cast<std::uint8_t>(value.month), static_cast<std::uint8_t>(value.day)};
}

void showInputError(CommandContext& context, const InputError& error) {
  context.frontend.showMessage(kInputErrorKind, error.line1, error.line2);
}

int openForArchive(CommandContext& context, ControllerSession& session) {
  if (const int status = session.openForTables(context.options.link); status != kExitSuccess) {
    return status;
  }
  return readWorkingTables(session.tables()) ? kExitSuccess : kExitLinkFailed;
}

std::optional<PeriodCheck> checkedPeriod(CommandContext& context, const DateTimeArgument& from,
                                         const DateTimeArgument& to) {
  for (const DateTimeArgument& value : {from, to}) {
    if (!isCalendarDate(value)) {
      refuse(context, "--period: no such date, or one before 2000");
      return std::nullopt;
    }
  }
  const std::string begin[] = {std::to_string(from.hour), std::to_string(from.minute),
                               std::to_string(from.second)};
  const std::string end[] = {std::to_string(to.hour), std::to_string(to.minute),
                             std::to_string(to.second)};
  PeriodCheck check = checkPeriodInput({dateOf(from), begin[0], begin[1], begin[2]},
                                       {dateOf(to), end[0], end[1], end[2]});
  if (check.error) {
    showInputError(context, *check.error);
    return std::nullopt;
  }
  return check;
}

int ArchiveCommand::archiveKind() const {
  return kind_ == MessageFileKind::kDiagnostic ? kDiagnosticArchive : kInterventionArchive;
}

int ArchiveCommand::run(CommandContext& context) {
  const ArchiveRequest& request = context.options.archive;
  std::optional<PeriodCheck> period;
  if (request.selection == RecordSelection::kPeriod) {
    period = checkedPeriod(context, request.begin, request.end);
    if (!period) return kExitBadInput;
  }
  std::optional<std::filesystem::path> saveFile;
  if (request.saveFile) {
    saveFile = checkedOutputFile(context, withMessageExtension(kind_, *request.saveFile));
    if (!saveFile) return kExitBadInput;
  }
  const ScratchFolder scratch;
  if (scratch.path().empty()) return refuse(context, "no temporary folder for the work files");

  ControllerSession session(context.folder, context.frontend, context.errors);
  if (const int status = openForArchive(context, session); status != kExitSuccess) return status;

  MessageArchiveReader reader(session.connection(), session.tables(), scratch.path());
  int status = kExitSuccess;
  std::optional<MessageArchiveReading> reading;
  if (period) {
    context.frontend.clearFailure();
    reading = reader.readMessagesByPeriod(archiveKind(), period->begin, period->end);
  } else {
    reading = readByIndex(context, reader, status);
    if (status != kExitSuccess) return status;
  }
  // A reading cut short by a failed exchange still gives what arrived, with status 1.
  status = context.frontend.exchangeFailed() ? kExitLinkFailed : kExitSuccess;
  if (!reading) return status;
  const MessageViewRows view(kind_, reading->header, reading->records, session.image(),
                             static_cast<MessageViewMode>(reading->viewMode), reading->firstIndex);
  if (!saveFile) {
    printView(view, context.out);
  } else if (!writeMessageFile(*saveFile, reading->header, view.textRows(), context.frontend)) {
    return kExitBadInput;
  }
  return status;
}

std::optional<MessageArchiveReading> ArchiveCommand::readByIndex(CommandContext& context,
                                                                 MessageArchiveReader& reader,
                                                                 int& status) const {
  const ArchiveRequest& request = context.options.archive;
  context.frontend.clearFailure();
  const std::optional<ArchiveBounds> bounds = reader.readBounds(archiveKind());
  if (!bounds) {
    // Either the read failed or the archive is empty; both have been told.
    status = context.frontend.exchangeFailed() ? kExitLinkFailed : kExitSuccess;
    return std::nullopt;
  }
  IndexRange range;
  if (request.selection == RecordSelection::kLast) {
    range = newestRecords(*bounds, request.last);
  } else {
    const IndexCheck check = checkIndexInput(request.indexFirst, request.indexCount, *bounds);
    if (check.error) {
      showInputError(context, *check.error);
      status = kExitBadInput;
      return std::nullopt;
    }
    range = {check.first, check.count};
  }
  return reader.readMessagesByIndex(archiveKind(), range.first, range.count);
}

}  // namespace zvc::cli
