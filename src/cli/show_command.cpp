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
  const std::filesystem::path file = file_;
  if (chromFileFormatOf(file) != nullptr) return showChromFile(context, file);
  if (moistureFileFormatOf(file) != nullptr) return showMoistureFile(context, file);
  if (checkArchiveFormatOf(file) != nullptr) return showCheckFile(context, file);
  const std::optional<OpenedFile> opened = openSavedFile(context, file_);
  if (!opened) return kExitBadInput;
  printView(MessageViewRows(opened->kind, opened->messages.header, opened->messages.rows),
            context.out);
  return kExitSuccess;
}

CommandHelp ShowCommand::help() const {
  return {"show", "a saved file as its view shows it", "show FILE",
          "Any file the program saves (.ala, .aud, .mch, .hch, .dch, .mwm, .hwm, .dwm, .clb,\n"
          ".vrf): the view's caption on the first line, then one line per grid row, cells\n"
          "separated by TAB, exactly the texts the GUI grid shows (chromatograph,\n"
          "calibration and verification files: the two heading rows, then the records;\n"
          "moisture-meter files: the four caption lines above the columns, then the\n"
          "records)."};
}

void ShowCommand::declare(OptionDeclarations&) const {}

void ShowCommand::accept(const GivenArguments& given) {
  file_ = expectWords(given, 1, 1, "show")[0];
}

}  // namespace zvc::cli
