#include "cli/passport_command.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

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
  const PassportRequest& request = request_;
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

CommandHelp PassportCommand::help() const {
  return {"passport", "the daily or monthly gas-quality passport of a run",
          "passport day|month --run 1|2 --date YYYY-MM-DD|YYYY-MM --object NAME [--out FILE]",
          "The daily (gas day of the contract hour) or monthly gas-quality passport of the\n"
          "run: reads the chromatograph's and the moisture meter's records, checks that\n"
          "they agree and writes the passport spreadsheet. The day or month must lie within\n"
          "the daily archive. The monthly passport needs \"mon_report_title_v5.xlsx\" in the\n"
          "working folder (zvc and zvc-cli put theirs there when it is missing)."};
}

void PassportCommand::declare(OptionDeclarations& options) const {
  options.value("--run", "1|2", "the chromatograph's run");
  options.value("--date", "YYYY-MM-DD|YYYY-MM", "the day, or the month");
  options.value("--object", "NAME",
                "the object, which must be in the object list (\"objects.ini\"); with --yes\n"
                "a new name is added to it");
  options.value("--out", "FILE",
                "the spreadsheet (default \"REPORT/OBJECT_RUN_day_YYMMDD.xlsx\" or\n"
                "\"..._mon_YYMM.xlsx\" in the working folder); an existing passport is\n"
                "replaced only with --yes");
  declareLinkOptions(options);
}

// passport day|month --run 1|2 --date YYYY-MM-DD|YYYY-MM --object NAME [--out FILE].
void PassportCommand::accept(const GivenArguments& given) {
  const std::vector<std::string> words = given.words();
  if (words.size() != 1 || (words[0] != "day" && words[0] != "month")) {
    throw Refusal{"passport: day or month expected"};
  }
  PassportRequest request;
  request.monthly = words[0] == "month";
  request.run = readRun(given);
  const std::string* date = given.single("--date");
  const std::string_view shape = request.monthly ? "dddd-dd" : "dddd-dd-dd";
  if (date == nullptr || !fitsShape(*date, shape)) {
    throw Refusal{request.monthly ? "--date YYYY-MM expected" : "--date YYYY-MM-DD expected"};
  }
  const auto part = [&](std::size_t at, std::size_t size) {
    return number("--date", std::string_view(*date).substr(at, size));
  };
  request.year = part(0, 4);
  request.month = part(5, 2);
  if (!request.monthly) request.day = part(8, 2);
  const std::string* object = given.single("--object");
  if (object == nullptr || object->empty()) throw Refusal{"--object NAME expected"};
  request.object = *object;
  if (const std::string* out = given.single("--out")) {
    if (out->empty()) throw Refusal{"--out: a file name expected"};
    request.outFile = *out;
  }
  request_ = request;
}

}  // namespace zvc::cli
