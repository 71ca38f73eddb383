#pragma once

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/command.h"

namespace zvc::cli {

// zvc-cli's command line read: the command to run with the shared options, or a text to print
// (help, version), or the reason it is refused.
struct CommandLine {
  std::unique_ptr<Command> command;
  SharedOptions options;
  std::optional<std::string> text;
  std::string error;
};

// The arguments after the program name. Options may stand before or after the command; "--"
// ends the options; "--name=value" is the same as "--name value". With --help (or as
// "help [COMMAND]") the help of the program or of the command, and nothing else is checked.
CommandLine parseCommandLine(std::span<const std::string> arguments);

// The names of the commands, in the order the help lists them.
std::vector<std::string> commandNames();

}  // namespace zvc::cli
