#include "cli/show_command.h"

#include "cli/exit_status.h"
#include "cli/saved_files.h"
#include "cli/view_printer.h"
#include "core/archives/message_view.h"

namespace zvc::cli {

int ShowCommand::run(CommandContext& context) {
  const std::optional<OpenedFile> opened = openSavedFile(context, context.options.file);
  if (!opened) return kExitBadInput;
  printView(MessageViewRows(opened->kind, opened->messages.header, opened->messages.rows),
            context.out);
  return kExitSuccess;
}

}  // namespace zvc::cli
