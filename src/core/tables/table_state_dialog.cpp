#include "core/tables/table_state_dialog.h"

#include "core/common/format.h"
#include "core/tables/text_catalogue.h"

namespace zvc {
namespace {

constexpr int kClockTable = 2;
constexpr int kUsersTable = 4;
constexpr int kRewritableVersion = 14;

// The clock is set only when it was lost; the users table is rewritten exactly when destroyed,
// so a working access list is never replaced by the one of a file.
void applyClockAndUsersRules(TableStateBlock& block) {
  block.writeRequest[kClockTable] &= block.destroyed[kClockTable];
  block.writeRequest[kUsersTable] = block.destroyed[kUsersTable];
}

}  // namespace

TableStateView tableStateView(const TableStateBlock& block, int softwareVersion, bool directLine) {
  TableStateView view;
  for (int table = 0; table < TableCatalogue::kTableCount; ++table) {
    if (!block.configuration[table]) continue;
    const bool destroyed = block.destroyed[table] != 0;
    TableStateRow row;
    row.table = table;
    row.caption =
        format(" Табл. %2d.  %s", table,
               std::string(TextCatalogue::text(TextCatalogue::kTableNames, table)).c_str());
    row.destroyed = destroyed;
    row.state = destroyed ? "Да" : "Нет";
    row.ticked = directLine && destroyed;
    row.tickEnabled = directLine && (table != kUsersTable || destroyed);
    view.rows.push_back(std::move(row));
  }
  const bool version14 = softwareVersion == kRewritableVersion;
  view.writeAllEnabled = version14 && directLine;
  view.writeSelectedEnabled = version14 && directLine;
  view.resetEnabled = !version14 || directLine;
  return view;
}

std::optional<InputError> selectTablesToWrite(TableStateBlock& block, const TableTicks& ticks) {
  bool any = false;
  for (int table = 0; table < TableCatalogue::kTableCount; ++table) {
    if (!block.configuration[table]) continue;
    block.writeRequest[table] = ticks[table] ? 1 : 0;
    any = any || ticks[table];
  }
  if (!any) return InputError{"Не заданы таблицы для записи", ""};
  applyClockAndUsersRules(block);
  return std::nullopt;
}

void selectAllTablesToWrite(TableStateBlock& block) {
  for (int table = 0; table < TableCatalogue::kTableCount; ++table) {
    block.writeRequest[table] = block.configuration[table];
  }
  applyClockAndUsersRules(block);
}

}  // namespace zvc
