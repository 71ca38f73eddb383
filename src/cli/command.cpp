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

std::vector<std::unique_ptr<Command>> makeCommands() {
  std::vector<std::unique_ptr<Command>> commands;
  const auto add = [&commands](std::unique_ptr<Command> command) {
    commands.push_back(std::move(command));
  };
  add(std::make_unique<IdentifyCommand>());
  add(std::make_unique<ReadTableCommand>());
  add(std::make_unique<ClockCommand>());
  add(std::make_unique<UsersCommand>());
  add(std::make_unique<LiveDataCommand>(true));
  add(std::make_unique<LiveDataCommand>(false));
  add(std::make_unique<WatchCommand>());
  add(std::make_unique<ArchiveCommand>(MessageFileKind::kDiagnostic));
  add(std::make_unique<ArchiveCommand>(MessageFileKind::kIntervention));
  add(std::make_unique<ChromArchiveCommand>(ChromArchive::kMeasurement));
  add(std::make_unique<ChromArchiveCommand>(ChromArchive::kHourly));
  add(std::make_unique<ChromArchiveCommand>(ChromArchive::kDaily));
  add(std::make_unique<MoistureReadCommand>(MoistureArchive::kMeasurement));
  add(std::make_unique<MoistureReadCommand>(MoistureArchive::kHourly));
  add(std::make_unique<MoistureReadCommand>(MoistureArchive::kDaily));
  add(std::make_unique<CheckReadCommand>(CheckArchive::kCalibration));
  add(std::make_unique<CheckReadCommand>(CheckArchive::kVerification));
  add(std::make_unique<CollectCommand>());
  add(std::make_unique<PassportCommand>());
  add(std::make_unique<ShowParamsCommand>());
  add(std::make_unique<ConfigCommand>());
  add(std::make_unique<ShowCommand>());
  add(std::make_unique<ExportCommand>());
  add(std::make_unique<PrintCommand>());
  add(std::make_unique<PlotCommand>());
  return commands;
}

int refuse(CommandContext& context, std::string_view text) {
  context.errors.line("zvc-cli: " + std::string(text));
  return kExitBadInput;
}

}  // namespace zvc::cli
