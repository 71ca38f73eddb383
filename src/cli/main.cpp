#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "cli/cli_frontend.h"
#include "cli/cli_options.h"
#include "cli/cli_output.h"
#include "cli/command.h"
#include "cli/exit_status.h"
#include "cli/interruption.h"
#include "core/app/working_folder.h"

namespace {

using namespace zvc::cli;

std::filesystem::path executablePath(const char* invokedAs) {
  std::error_code error;
  std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::path(invokedAs) : path;
}

zvc::WorkingFolder workingFolder(const CliOptions& options, const char* invokedAs) {
  std::optional<std::filesystem::path> given;
  if (options.workdir) given = *options.workdir;
  return zvc::WorkingFolder::resolve(given, executablePath(invokedAs),
                                     zvc::WorkingFolder::homeFolder());
}

}  // namespace

int main(int argc, char* argv[]) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  const ParsedArguments parsed = parseArguments(arguments);
  if (!parsed.options) {
    std::fprintf(stderr, "zvc-cli: %s\nTry 'zvc-cli --help'.\n", parsed.error.c_str());
    return kExitBadInput;
  }
  const CliOptions& options = *parsed.options;
  TextOutput out(stdout, options.encoding);
  TextOutput errors(stderr, options.encoding);
  if (options.help) {
    out.write(helpText());
    return kExitSuccess;
  }
  catchInterruption();
  CliFrontend frontend(errors, options.answerYes);
  CommandContext context{options,  workingFolder(options, argv[0]), out, errors,
                         frontend, executablePath(argv[0]).parent_path()};
  const int status = makeCommand(options.command)->run(context);
  // The GUI would leave the engine's error line in its outcome panel.
  if (status == kExitLinkFailed && !frontend.failureLine().empty()) {
    errors.line("status: " + frontend.failureLine());
  }
  return status;
}
