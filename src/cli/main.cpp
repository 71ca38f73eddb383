#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "cli/cli_frontend.h"
#include "cli/cli_output.h"
#include "cli/command.h"
#include "cli/command_line.h"
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

zvc::WorkingFolder workingFolder(const SharedOptions& options, const char* invokedAs) {
  std::optional<std::filesystem::path> given;
  if (options.workdir) given = *options.workdir;
  return zvc::WorkingFolder::resolve(given, executablePath(invokedAs),
                                     zvc::WorkingFolder::homeFolder());
}

int usageError(const std::string& text) {
  std::fprintf(stderr, "zvc-cli: %s\nTry 'zvc-cli --help'.\n", text.c_str());
  return kExitBadInput;
}

}  // namespace

int main(int argc, char* argv[]) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  CommandLine line = parseCommandLine(arguments);
  if (line.text) {
    std::fputs(line.text->c_str(), stdout);
    return kExitSuccess;
  }
  if (!line.command) return usageError(line.error);
  SharedOptions& options = line.options;
  if (auto refused = takePassword(options.link, std::cin, std::getenv(kPasswordVariable))) {
    return usageError(*refused);
  }
  TextOutput out(stdout, options.encoding);
  TextOutput errors(stderr, options.encoding);
  catchInterruption();
  CliFrontend frontend(errors, options.answerYes);
  CommandContext context{options,  workingFolder(options, argv[0]), out, errors,
                         frontend, executablePath(argv[0]).parent_path()};
  const int status = line.command->run(context);
  // The GUI would leave the engine's error line in its outcome panel.
  if (status == kExitLinkFailed && !frontend.failureLine().empty()) {
    errors.line("status: " + frontend.failureLine());
  }
  return status;
}
