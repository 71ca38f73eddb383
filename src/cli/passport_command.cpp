#include "cli/passport_command.h"

#include <algorithm>

#include "cli/archive_reading.h"
#include "cli/exit_status.h"
#include "core/common/calendar.h"
#include "core/common/save_file_name.h"
#include "core/reports/passport_sheet.h"
#include "core/reports/passport_template.h"
#include "core/reports/report_date_dialog.h"

namespace zvc::cli {
namespace {

constexpr int kFirstYear = 2000;
constexpr int kLastYear = 2099;  // the date dialog's years

// The line of the object in the list; -1 when it is not there and may not be added.
int objectItem(CommandContext& context, ObjectList& objects, const std::string& name) {
  const std::string stored = cutToField(name, kObjectNameChars);
  const auto begin = objects.names.begin();
  const auto found = std::find(begin, begin + objects.count, stored);
  if (found != begin + objects.count) return static_cast<int>(found - begin);
  if (!context.options.answerYes) {
    refuse(context, "object \"" + stored + "\" is not in the object list (--yes adds it)");
    return -1;
  }
  if (!canAddObject(objects)) {
    refuse(context, "the object list is full");
    return -1;
  }
  addObject(objects, stored);
  if (!writeObjects(context.folder.objectsFile(), objects)) {
    refuse(context, "cannot write " + context.folder.objectsFile().string());
    return -1;
  }
  return objects.selected;
}

}  // namespace

int PassportCommand::run(CommandContext& context) {
  const PassportRequest& request = context.options.passport;
  const PassportMode mode = request.monthly ? PassportMode::kMonthly : PassportMode::kDaily;
  if (request.year < kFirstYear || request.year > kLastYear || request.month < 1 ||
      request.month > 12 || request.day < 1 ||
      request.day > daysInMonth(request.year, request.month)) {
    return refuse(context, "--date: no such date, or one outside 2000..2099");
  }
  const Date3 date{static_cast<std::uint8_t>(request.year - kFirstYear),
                   static_cast<std::uint8_t>(request.month),
                   static_cast<std::uint8_t>(request.day)};
  context.folder.createSubfolders();
  provideMonthlyTemplate(context.folder.root(), context.programFolder);
  if (mode == PassportMode::kMonthly &&
      !checkMonthlyTemplate(context.folder.root(), context.frontend)) {
    return kExitBadInput;
  }
  ObjectList objects = readObjects(context.folder.objectsFile());
  const int item = objectItem(context, objects, request.object);
  if (item < 0) return kExitBadInput;

  const ScratchFolder scratch;
  ControllerSession session(context.folder, context.frontend, context.errors);
  if (const int status = openForReading(context, scratch, session); status != kExitSuccess) {
    return status;
  }
  context.frontend.clearFailure();
  ChromArchiveReader rangeReader(session.connection(), session.tables(), scratch.path());
  const auto range = rangeReader.queryRange(true);
  if (!range) return context.frontend.exchangeFailed() ? kExitLinkFailed : kExitSuccess;
  const ReportDateCheck check =
      checkReportDate(mode, objects, item, date, *range, contractHour(session.image()));
  if (check.error) {
    showInputError(context, *check.error);
    return kExitBadInput;
  }
  const auto passport = readPassport(session.connection(), session.tables(), mode, request.run,
                                     date, objects.names[static_cast<std::size_t>(item)], *range);
  // Every reason for no passport has been told; none of them is the caller's input.
  if (!passport) return kExitLinkFailed;
  const std::filesystem::path file =
      request.outFile ? withDefaultExtension(*request.outFile, ".xlsx")
                      : passportFile(context.folder.subfolder(Subfolder::kReport), *passport);
  return writePassport(*passport, file, context.frontend) ? kExitSuccess : kExitBadInput;
}

}  // namespace zvc::cli
