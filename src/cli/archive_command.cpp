#include "cli/archive_command.h"

#include <string>

#include "cli/archive_reading.h"
#include "cli/controller_session.h"
#include "cli/exit_status.h"
#include "cli/output_file.h"
#include "cli/scratch_folder.h"
#include "cli/view_printer.h"

namespace zvc::cli {

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
  ControllerSession session(context.folder, context.frontend, context.errors);
  if (const int status = openForReading(context, scratch, session); status != kExitSuccess) {
    return status;
  }

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
