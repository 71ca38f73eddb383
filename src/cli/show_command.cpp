#include "cli/show_command.h"

#include "cli/check_commands.h"
#include "cli/chrom_commands.h"
#include "cli/exit_status.h"
#include "cli/saved_files.h"
#include "cli/moisture_commands.h"
#include "cli/view_printer.h"
#include "core/archives/chrom_files.h"
#include "core/archives/message_view.h"
#include "core/archives/moisture_files.h"

namespace zvc::cli {

int ShowCommand::run(CommandContext& context) {
  const std::filesystem::path file = context.options.file;
  if (chromFileFormatOf(file) != nullptr) return showChromFile(context);
  if (moistureFileFormatOf(file) != nullptr) return showMoistureFile(context);
  if (checkArchiveFormatOf(file) != nullptr) return showCheckFile(context);
  const std::optional<OpenedFile> opened = openSavedFile(context, context.options.file);
  if (!opened) return kExitBadInput;
  printView(MessageViewRows(opened->kind, opened->messages.header, opened->messages.rows),
            context.out);
  return kExitSuccess;
}

}  // namespace zvc::cli
