#include "cli/command.h"

#include <string>

#include "cli/archive_command.h"
#include "cli/check_commands.h"
#include "cli/chrom_commands.h"
#include "cli/clock_command.h"
#include "cli/collect_command.h"
#include "cli/config_command.h"
#include "cli/exit_status.h"
#include "cli/identify_command.h"
#include "cli/live_data_command.h"
#include "cli/moisture_commands.h"
#include "cli/plot_command.h"
#include "cli/passport_command.h"
#include "cli/print_command.h"
#include "cli/read_table_command.h"
#include "cli/show_command.h"
#include "cli/show_params_command.h"
#include "cli/users_command.h"

namespace zvc::cli {

std::unique_ptr<Command> makeCommand(CommandName name) {
  switch (name) {
    case CommandName::kIdentify:
      return std::make_unique<IdentifyCommand>();
    case CommandName::kReadTable:
      return std::make_unique<ReadTableCommand>();
    case CommandName::kDiag:
      return std::make_unique<ArchiveCommand>(MessageFileKind::kDiagnostic);
    case CommandName::kInterv:
      return std::make_unique<ArchiveCommand>(MessageFileKind::kIntervention);
    case CommandName::kShow:
      return std::make_unique<ShowCommand>();
    case CommandName::kPrint:
      return std::make_unique<PrintCommand>();
    case CommandName::kClock:
      return std::make_unique<ClockCommand>();
    case CommandName::kShowParams:
      return std::make_unique<ShowParamsCommand>();
    case CommandName::kConfig:
      return std::make_unique<ConfigCommand>();
    case CommandName::kUsers:
      return std::make_unique<UsersCommand>();
    case CommandName::kState:
    case CommandName::kMomentary:
      return std::make_unique<LiveDataCommand>();
    case CommandName::kWatch:
      return std::make_unique<WatchCommand>();
    case CommandName::kExport:
      return std::make_unique<ExportCommand>();
    case CommandName::kMeas:
      return std::make_unique<ChromArchiveCommand>(ChromArchive::kMeasurement);
    case CommandName::kHour:
      return std::make_unique<ChromArchiveCommand>(ChromArchive::kHourly);
    case CommandName::kDay:
      return std::make_unique<ChromArchiveCommand>(ChromArchive::kDaily);
    case CommandName::kMoistMeas:
      return std::make_unique<MoistureReadCommand>(MoistureArchive::kMeasurement);
    case CommandName::kMoistHour:
      return std::make_unique<MoistureReadCommand>(MoistureArchive::kHourly);
    case CommandName::kMoistDay:
      return std::make_unique<MoistureReadCommand>(MoistureArchive::kDaily);
    case CommandName::kCalib:
      return std::make_unique<CheckReadCommand>(CheckArchive::kCalibration);
    case CommandName::kVerif:
      return std::make_unique<CheckReadCommand>(CheckArchive::kVerification);
    case CommandName::kCollect:
      return std::make_unique<CollectCommand>();
    case CommandName::kPlot:
      return std::make_unique<PlotCommand>();
    case CommandName::kPassport:
      return std::make_unique<PassportCommand>();
  }
  return nullptr;
}

int refuse(CommandContext& context, std::string_view text) {
  context.errors.line("zvc-cli: " + std::string(text));
  return kExitBadInput;
}

}  // namespace zvc::cli
