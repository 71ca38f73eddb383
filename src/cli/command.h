#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/cli_frontend.h"
#include "cli/cli_output.h"
#include "cli/link_options.h"
#include "core/app/working_folder.h"

namespace zvc::cli {

// What the option groups every command shares gave: the link (for the commands that reach a
// controller) and the general options.
struct SharedOptions {
  LinkOptions link;
  std::optional<std::string> workdir;
  bool answerYes = false;
  OutputEncoding encoding = OutputEncoding::kUtf8;
  bool operator==(const SharedOptions&) const = default;
};

// What every command works with.
struct CommandContext {
  const SharedOptions& options;
  WorkingFolder folder;
  TextOutput& out;
  TextOutput& errors;
  CliFrontend& frontend;
  std::filesystem::path programFolder;  // where the executable lies, with what it ships
};

// How a command presents itself: its name, a line for the list of commands, what follows
// "zvc-cli" in its usage, and what it does.
struct CommandHelp {
  std::string name;
  std::string summary;
  std::string synopsis;
  std::string details;
};

// One command of the tool: its options and their checks, its help, and its run, which gives the
// exit status.
class Command {
 public:
  virtual ~Command() = default;
  virtual CommandHelp help() const = 0;
  // The command's own options, and the shared groups it takes (declareLinkOptions).
  virtual void declare(OptionDeclarations& options) const = 0;
  // Takes what the command line gave it; throws Refusal with the reason when it is refused.
  virtual void accept(const GivenArguments& given) = 0;
  virtual int run(CommandContext& context) = 0;
};

// Every command, in the order the help lists them.
std::vector<std::unique_ptr<Command>> makeCommands();

// "zvc-cli: " and the text on stderr; the status of bad input.
int refuse(CommandContext& context, std::string_view text);

}  // namespace zvc::cli
