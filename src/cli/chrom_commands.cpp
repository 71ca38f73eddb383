#include "cli/chrom_commands.h"

#include <string>
#include <vector>

#include "cli/cli_output.h"
#include "cli/exit_status.h"
#include "cli/output_file.h"
#include "core/archives/chrom_files.h"
#include "core/archives/spreadsheet_export.h"
#include "core/common/save_file_name.h"

namespace zvc::cli {
namespace {

std::optional<ChromTable> openTable(CommandContext& context) {
  const std::filesystem::path file = context.options.file;
  const ChromFileFormat* format = chromFileFormatOf(file);
  if (format == nullptr) {
    refuse(context, "\"" + file.string() + "\" is not a chromatograph file (.mch, .hch, .dch)");
    return std::nullopt;
  }
  const auto saved = openChromFile(format->archive, file, context.frontend);
  if (!saved) return std::nullopt;
  return buildChromTable(format->archive, saved->header, saved->records);
}

void printRow(TextOutput& out, const std::vector<std::string>& cells) {
  std::string line;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (i > 0) line += '\t';
    line += cells[i];
  }
  out.line(line);
}

}  // namespace

int showChromFile(CommandContext& context) {
  const auto table = openTable(context);
  if (!table) return kExitBadInput;
  context.out.line(table->caption);
  for (const auto& row : table->headings) printRow(context.out, row);
  for (const auto& row : table->rows) printRow(context.out, row);
  return kExitSuccess;
}

int ExportCommand::run(CommandContext& context) {
  const auto table = openTable(context);
  if (!table) return kExitBadInput;
  const auto out = checkedOutputFile(context, withDefaultExtension(context.options.xlsxFile, ".xlsx"));
  if (!out) return kExitBadInput;
  return exportChromTable(*table, *out, context.frontend) ? kExitSuccess : kExitBadInput;
}

}  // namespace zvc::cli
