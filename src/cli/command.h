#pragma once

#include <filesystem>
#include <memory>

#include "cli/cli_frontend.h"
#include "cli/cli_options.h"
#include "cli/cli_output.h"
#include "core/app/working_folder.h"

namespace zvc::cli {

// What every command works with.
struct CommandContext {
  const CliOptions& options;
  WorkingFolder folder;
  TextOutput& out;
  TextOutput& errors;
  CliFrontend& frontend;
  std::filesystem::path programFolder;  // where the executable lies, with what it ships
};

// One command of the tool; run gives the exit status.
class Command {
 public:
  virtual ~Command() = default;
  virtual int run(CommandContext& context) = 0;
};

std::unique_ptr<Command> makeCommand(CommandName name);

// "zvc-cli: " and the text on stderr; the status of bad input.
int refuse(CommandContext& context, std::string_view text);

}  // namespace zvc::cli
