#include "cli/clock_command.h"

#include <optional>

#include "cli/controller_session.h"
#include "cli/exit_status.h"
#include "core/tables/config_image.h"
#include "core/tables/controller_clock.h"
#include "core/tables/system_parameters.h"

namespace zvc::cli {
namespace {

void printClocks(const ClockReading& reading, TableService& tables, TextOutput& out) {
  const DateTime6 now = localNow();
  const auto table6 = tables.image().table(6).first<kSystemParameterBytes>();
  out.line("\t" + std::string(kControllerColumn) + "\t" + std::string(kComputerColumn));
  for (const ClockRow& row : clockRows(controllerClockAt(reading, now), clockTable(now, table6))) {
    out.line(std::string(row.label) + "\t" + row.controller + "\t" + row.computer);
  }
  if (!computerSyncAllowed(tables)) out.line(std::string(kSyncForbidden));
}

// An operation that asked first: done, refused by the link or the controller, or not confirmed.
int outcome(bool done, CommandContext& context) {
  if (done) return kExitSuccess;
  if (context.frontend.exchangeFailed()) return kExitLinkFailed;
  return refuse(context, "nothing done: the question was answered \"Нет\" (give --yes)");
}

int correct(const ClockReading& reading, TableService& tables, CommandContext& context) {
  if (!computerSyncAllowed(tables)) return refuse(context, kSyncForbidden);
  const bool corrected = correctControllerClock(tables, reading);
  if (corrected) context.out.line(std::string(kCorrectionDone));
  return outcome(corrected, context);
}

}  // namespace

int ClockCommand::run(CommandContext& context) {
  ControllerSession session(context.folder, context.frontend, context.errors);
  if (const int status = session.open(context.options.link); status != kExitSuccess) return status;
  TableService& tables = session.tables();
  if (action_ == ClockAction::kSet) {
    // The transition rules of table 6 give the time type written with the time.
    if (!tables.readTableRange({6, 0, kSystemParameterBytes})) return kExitLinkFailed;
    return outcome(writeComputerTime(tables), context);
  }
  const std::optional<ClockReading> reading = readControllerClock(tables);
  if (!reading) return kExitLinkFailed;
  printClocks(*reading, tables, context.out);
  if (action_ == ClockAction::kCorrect) {
    return correct(*reading, tables, context);
  }
  return kExitSuccess;
}

CommandHelp ClockCommand::help() const {
  return {"clock", "the controller's clock beside the computer's; correct or set it",
          "clock [--correct | --set]",
          "The controller's date, time, weekday and time type beside the computer's\n"
          "(\"label<TAB>controller<TAB>computer\")."};
}

void ClockCommand::declare(OptionDeclarations& options) const {
  options.flag("--correct",
               "move the controller clock towards the computer's (at most to a whole\n"
               "hour); asks first");
  options.flag("--set", "write the computer's time into the controller; asks first");
  declareLinkOptions(options);
}

void ClockCommand::accept(const GivenArguments& given) {
  expectWords(given, 0, 0, "clock");
  const bool correct = given.has("--correct");
  const bool set = given.has("--set");
  if (correct && set) throw Refusal{"--correct and --set exclude each other"};
  action_ = correct ? ClockAction::kCorrect : set ? ClockAction::kSet : ClockAction::kShow;
}

}  // namespace zvc::cli
