#include "cli/config_command.h"

#include <optional>

#include "cli/controller_session.h"
#include "cli/exit_status.h"
#include "cli/output_file.h"
#include "core/tables/config_file.h"
#include "core/tables/config_sections.h"

namespace zvc::cli {
namespace {

std::string row(const ConfigLine& line) {
  return line.section + "\t" + oneLineLabel(line.line.label);
}

int save(CommandContext& context, const std::filesystem::path& file,
         const ConfigFileRecord& record) {
  return writeConfigFile(file, record, context.frontend) ? kExitSuccess : kExitBadInput;
}

// The controller's configuration; the status when it could not be read.
int readController(CommandContext& context, ConfigFileRecord& record) {
  ControllerSession session(context.folder, context.frontend, context.errors);
  if (const int status = session.openForTables(context.options.link); status != kExitSuccess) {
    return status;
  }
  const std::optional<ConfigFileRecord> read = readControllerConfiguration(session.tables());
  if (!read) return kExitLinkFailed;
  record = *read;
  return kExitSuccess;
}

int show(CommandContext& context) {
  const auto record = readConfigFile(context.options.config.files[0], context.frontend);
  if (!record) return kExitBadInput;
  for (const ConfigLine& line : configRecordLines(*record)) {
    context.out.line(row(line) + "\t" + line.line.value);
  }
  return kExitSuccess;
}

int diff(CommandContext& context) {
  const ConfigRequest& request = context.options.config;
  const auto a = readConfigFile(request.files[0], context.frontend);
  if (!a) return kExitBadInput;
  ConfigFileRecord b;
  if (request.againstController) {
    if (const int status = readController(context, b); status != kExitSuccess) return status;
  } else if (auto other = readConfigFile(request.files[1], context.frontend)) {
    b = *other;
  } else {
    return kExitBadInput;
  }
  for (const ConfigDifference& difference : configDifferences(*a, b)) {
    context.out.line(row(difference.a) + "\t" + difference.a.line.value + "\t" +
                     difference.b.line.value);
  }
  return kExitSuccess;
}

// read and new: the file is settled before the link is opened.
int saveNew(CommandContext& context) {
  const ConfigRequest& request = context.options.config;
  const auto file =
      checkedOutputFile(context, withDefaultExtension(*request.saveFile, kConfigExtension));
  if (!file) return kExitBadInput;
  ConfigFileRecord record = defaultConfigRecord();
  if (request.action == ConfigAction::kRead) {
    if (const int status = readController(context, record); status != kExitSuccess) return status;
  }
  return save(context, *file, record);
}

}  // namespace

int ConfigCommand::run(CommandContext& context) {
  switch (context.options.config.action) {
    case ConfigAction::kShow:
      return show(context);
    case ConfigAction::kDiff:
      return diff(context);
    case ConfigAction::kRead:
    case ConfigAction::kNew:
      return saveNew(context);
  }
  return kExitBadInput;
}

}  // namespace zvc::cli
