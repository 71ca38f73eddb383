#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/tables/table_service.h"
#include "core/ui/input_error.h"

namespace zvc {

// How the table-state dialog closes.
enum TableStateResult : int {
  kTableStateExit = 0,       // "Выход"
  kWriteSelectedTables = 1,  // "Записать избранные таблицы"
  kWriteAllTables = 2,       // "Записать все таблицы"
  kNonVolatileDataReset = 3,  // "Сбросить энергонезависимые данные" succeeded
};

// One line of the dialog: a configuration table, whether it is destroyed, and its write box.
struct TableStateRow {
  int table = 0;
  std::string caption;  // " Табл. %2d.  %s"
  bool destroyed = false;
  std::string state;  // "Да" (shown in red) or "Нет"
  bool ticked = false;
  bool tickEnabled = false;
};

struct TableStateView {
  std::vector<TableStateRow> rows;
  bool writeAllEnabled = false;
  bool writeSelectedEnabled = false;
  bool resetEnabled = false;
};

// What the dialog shows on opening. Only a direct serial line may rewrite tables; the users
// table (4) is offered only when it is destroyed; whole rewrites are for software version 14.
TableStateView tableStateView(const TableStateBlock& block, int softwareVersion, bool directLine);

// The write boxes as the user left them, by table number.
using TableTicks = std::array<bool, TableCatalogue::kTableCount>;

// "Записать избранные таблицы": the write flags of the listed tables from their boxes; an input
// error when no box is ticked.
std::optional<InputError> selectTablesToWrite(TableStateBlock& block, const TableTicks& ticks);
// "Записать все таблицы": every listed table.
void selectAllTablesToWrite(TableStateBlock& block);

}  // namespace zvc
