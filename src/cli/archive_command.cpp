#include "cli/archive_command.h"

#include <cstdint>
#include <string>
#include <vector>

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
  const ArchiveRequest& request = request_;
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
  const ArchiveRequest& request = request_;
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

CommandHelp ArchiveCommand::help() const {
  const bool diagnostic = kind_ == MessageFileKind::kDiagnostic;
  const std::string name = diagnostic ? "diag" : "interv";
  return {name, diagnostic ? "the diagnostic message archive" : "the intervention message archive",
          name + " (--index FIRST COUNT | --last N | --period BEGIN END) [--save FILE]",
          std::string("The controller's ") + (diagnostic ? "diagnostic" : "intervention") +
              " message archive, read by index, the newest records or a period,\n"
              "then saved in the program's file (." +
              (diagnostic ? "ala" : "aud") + ") or printed as `show` prints that file."};
}

void ArchiveCommand::declare(OptionDeclarations& options) const {
  options.value("--index", "FIRST COUNT",
                "COUNT records from the record FIRST, as the index dialog takes them", 2);
  options.value("--last", "N", "the newest N records");
  options.value("--period", "BEGIN END",
                "the records from BEGIN to END, each as \"YYYY-MM-DD HH:MM:SS\"", 2);
  options.value("--save", "FILE",
                "save the records in the program's file (the archive's extension appended\n"
                "to a name without one; an existing file is replaced only with --yes);\n"
                "without --save they are printed as `show` prints that file");
  declareLinkOptions(options);
}

void ArchiveCommand::accept(const GivenArguments& given) {
  expectWords(given, 0, 0, help().name);
  ArchiveRequest request;
  const int selections =
      static_cast<int>(given.has("--index") + given.has("--last") + given.has("--period"));
  if (selections != 1) {
    throw Refusal{"give one of --index FIRST COUNT, --last N, --period BEGIN END"};
  }
  if (given.has("--index")) {
    const std::vector<std::string> index = given.values("--index");
    request.selection = RecordSelection::kIndex;
    request.indexFirst = index[0];
    request.indexCount = index[1];
    if (!allDigits(request.indexFirst) || !allDigits(request.indexCount)) {
      throw Refusal{"--index: two numbers expected"};
    }
  } else if (const std::string* last = given.single("--last")) {
    request.selection = RecordSelection::kLast;
    const auto count = digitsNumber<std::uint32_t>(*last, UINT32_MAX);
    if (!count || *count == 0) throw Refusal{"--last: a number of records from 1 expected"};
    request.last = *count;
  } else {
    const std::vector<std::string> period = given.values("--period");
    request.selection = RecordSelection::kPeriod;
    request.begin = readDateTime(period[0]);
    request.end = readDateTime(period[1]);
  }
  request.saveFile = readSaveFile(given);
  request_ = request;
}

}  // namespace zvc::cli
