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

int show(CommandContext& context, const ConfigRequest& request) {
  const auto record = readConfigFile(request.files[0], context.frontend);
  if (!record) return kExitBadInput;
  for (const ConfigLine& line : configRecordLines(*record)) {
    context.out.line(row(line) + "\t" + line.line.value);
  }
  return kExitSuccess;
}

int diff(CommandContext& context, const ConfigRequest& request) {
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
int saveNew(CommandContext& context, const ConfigRequest& request) {
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
  switch (request_.action) {
    case ConfigAction::kShow:
      return show(context, request_);
    case ConfigAction::kDiff:
      return diff(context, request_);
    case ConfigAction::kRead:
    case ConfigAction::kNew:
      return saveNew(context, request_);
  }
  return kExitBadInput;
}

namespace {

constexpr std::pair<std::string_view, ConfigAction> kConfigActions[] = {
    {"read", ConfigAction::kRead},
    {"show", ConfigAction::kShow},
    {"new", ConfigAction::kNew},
    {"diff", ConfigAction::kDiff},
};

ConfigAction configActionNamed(std::string_view name) {
  for (const auto& [text, action] : kConfigActions) {
    if (text == name) return action;
  }
  throw Refusal{"config: read, show, new or diff expected, got \"" + std::string(name) + "\""};
}

}  // namespace

CommandHelp ConfigCommand::help() const {
  return {
      "config", "configuration files: read, make, show, compare",
      "config read --save FILE.cnf\n"
      "config new --save FILE.cnf\n"
      "config show FILE.cnf\n"
      "config diff A.cnf B.cnf\n"
      "config diff FILE.cnf --controller",
      "config read: read every configuration table of the controller and save them as a\n"
      "  configuration file (flow-computer passwords blank).\n"
      "config new: save the default configuration of a new controller.\n"
      "config show: every section of a configuration file as\n"
      "  \"section<TAB>label<TAB>value\" lines (sections as show-params names them,\n"
      "  \"constants-1\"/\"constants-2\" for the runs' constants; \"users\" by name and level,\n"
      "  passwords and codes never shown).\n"
      "config diff: the rows whose values differ: \"section<TAB>label<TAB>A<TAB>B\", of two\n"
      "  files or of a file and the connected controller's configuration.\n"
      "Configuration files are written readable by their owner only: they hold write\n"
      "passwords. Writing a configuration into a controller is done in zvc, where the\n"
      "editor and the table-state dialog show what is written."};
}

void ConfigCommand::declare(OptionDeclarations& options) const {
  options.value("--save", "FILE.cnf",
                "read, new: the file (\".cnf\" appended to a name without extension); an\n"
                "existing file is replaced only with --yes, settled before the link is opened");
  options.flag("--controller", "diff: compare the file with the connected controller");
  declareLinkOptions(options);
}

// config read|new --save FILE, config show FILE, config diff A B, config diff FILE --controller.
void ConfigCommand::accept(const GivenArguments& given) {
  const std::vector<std::string> words = given.words();
  if (words.empty()) throw Refusal{"config: read, show, new or diff expected"};
  ConfigRequest request;
  request.action = configActionNamed(words[0]);
  request.files.assign(words.begin() + 1, words.end());
  request.againstController = given.has("--controller");
  request.saveFile = readSaveFile(given);
  const bool saving = request.action == ConfigAction::kRead || request.action == ConfigAction::kNew;
  if (saving != request.saveFile.has_value()) {
    throw Refusal{saving ? "config " + words[0] + " needs --save FILE.cnf"
                         : "--save is for config read and config new"};
  }
  if (request.againstController && request.action != ConfigAction::kDiff) {
    throw Refusal{"--controller is for config diff"};
  }
  std::size_t files = 0;
  if (request.action == ConfigAction::kShow) files = 1;
  if (request.action == ConfigAction::kDiff) files = request.againstController ? 1 : 2;
  if (request.files.size() != files) {
    throw Refusal{"wrong number of files for config " + words[0]};
  }
  request_ = request;
}

}  // namespace zvc::cli
