#include "cli/read_table_command.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "cli/controller_session.h"
#include "cli/exit_status.h"
#include "core/common/format.h"
#include "core/tables/table_catalogue.h"

namespace zvc::cli {
namespace {

std::string hexBytes(std::span<const std::uint8_t> bytes) {
  std::string text;
  for (const std::uint8_t byte : bytes) {
    if (!text.empty()) text += ' ';
    text += format("%02X", byte);
  }
  return text;
}

// The range asked for, when the catalogue has it: all fields from the first by default.
std::optional<TableRange> requestedRange(const TableRequest& options, std::string& refusal) {
  const int table = options.table;
  if (table >= TableCatalogue::kTableCount || !TableCatalogue::hasFields(table)) {
    refusal = format("read-table: table %d does not exist or holds no fields", table);
    return std::nullopt;
  }
  const int fields = TableCatalogue::table(table).fieldCount;
  const int first = options.firstField.value_or(0);
  const int count = options.fieldCount.value_or(fields - std::min(first, fields));
  if (first >= fields || count < 1 || count > fields - first) {
    refusal = format("read-table: table %d has fields 0..%d", table, fields - 1);
    return std::nullopt;
  }
  return TableRange{static_cast<std::uint8_t>(table), static_cast<std::uint8_t>(first),
                    static_cast<std::uint8_t>(count)};
}

}  // namespace

int ReadTableCommand::run(CommandContext& context) {
  std::string refusal;
  const std::optional<TableRange> range = requestedRange(request_, refusal);
  if (!range) return refuse(context, refusal);
  ControllerSession session(context.folder, context.frontend, context.errors);
  if (const int status = session.open(context.options.link); status != kExitSuccess) return status;
  if (!session.tables().readTableRange(*range)) return kExitLinkFailed;
  for (int field = range->first; field < range->first + range->count; ++field) {
    context.out.line(format("%d.%d\t", range->table, field) +
                     hexBytes(session.image().field(range->table, field)));
  }
  return kExitSuccess;
}

CommandHelp ReadTableCommand::help() const {
  return {"read-table", "fields of one table as hex bytes", "read-table T [FIRST [COUNT]]",
          "The fields of table T from FIRST (default 0), COUNT of them (default: to the\n"
          "table's end), one line per field: \"T.F<TAB>XX XX …\" (hex bytes)."};
}

void ReadTableCommand::declare(OptionDeclarations& options) const {
  declareLinkOptions(options);
}

void ReadTableCommand::accept(const GivenArguments& given) {
  const std::vector<std::string> words = expectWords(given, 1, 3, "read-table");
  request_ = {};
  request_.table = number("table", words[0]);
  if (words.size() > 1) request_.firstField = number("first field", words[1]);
  if (words.size() > 2) request_.fieldCount = number("field count", words[2]);
}

}  // namespace zvc::cli
