#include "cli/identify_command.h"

#include <vector>

#include "cli/controller_session.h"
#include "cli/exit_status.h"
#include "cli/show_params_command.h"
#include "core/app/connection_step.h"
#include "core/tables/identification_view.h"

namespace zvc::cli {

// Any controller the program serves can be identified, one with destroyed tables or software 14
// too: only tables 0 and 5 are read.
int IdentifyCommand::run(CommandContext& context) {
  ControllerSession session(context.folder, context.frontend, context.errors);
  if (const int status = session.open(context.options.link); status != kExitSuccess) return status;
  readControllerNames(session.tables());
  const auto identification = session.image().table(0).first<kIdentificationBytes>();
  printParameterLines(identificationView(identification, true), context.out);
  printParameterLines(controllerNameLines(session.image()), context.out);
  return kExitSuccess;
}

CommandHelp IdentifyCommand::help() const {
  return {"identify", "the controller's identification and names", "identify",
          "The identification view as \"label<TAB>value\" lines (labels as the view shows\n"
          "them), then the three names; exit 3 when the type or version is not served."};
}

void IdentifyCommand::declare(OptionDeclarations& options) const {
  declareLinkOptions(options);
}

void IdentifyCommand::accept(const GivenArguments& given) {
  expectWords(given, 0, 0, "identify");
}

}  // namespace zvc::cli
