#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "core/app/connection_step.h"
#include "core/tables/table_state_dialog.h"

namespace zvc::test {

// The windows of a restore as a person would leave them: the table-state dialog closes with
// `tableStateResult` after its own rules set the write flags ("Записать избранные таблицы": the
// tables in `tick`, whatever the dialog would say of an empty choice), the file is `file`, the
// editor confirms (changing nothing) unless told otherwise, the users dialog confirms.
class ScriptedConnectionHost : public ConnectionHost {
 public:
  int showTableStates(TableStateBlock& block) override {
    shownBlocks.push_back(block);
    if (tableStateResult == kWriteAllTables) selectAllTablesToWrite(block);
    if (tableStateResult == kWriteSelectedTables) {
      TableTicks ticks{};
      for (int table : tick) ticks[table] = true;
      selectTablesToWrite(block, ticks);
    }
    return tableStateResult;
  }
  std::optional<ConfigFileRecord> loadConfigRecord() override {
    ++filesLoaded;
    return file;
  }
  ConfigEditOutcome editConfigRecord(ConfigFileRecord& record) override {
    ++editorShown;
    if (editRecord) editRecord(record);
    return editorOutcome;
  }
  void saveConfigRecord(const ConfigFileRecord&) override { ++recordsSaved; }
  bool editUsersTable(std::span<std::uint8_t, kUsersBytes>) override {
    ++usersDialogShown;
    return usersConfirmed;
  }

  int tableStateResult = 0;
  std::vector<int> tick;
  std::vector<TableStateBlock> shownBlocks;
  std::optional<ConfigFileRecord> file;
  int filesLoaded = 0;
  ConfigEditOutcome editorOutcome{true, false};
  std::function<void(ConfigFileRecord&)> editRecord;
  int editorShown = 0;
  int recordsSaved = 0;
  bool usersConfirmed = true;
  int usersDialogShown = 0;
};

}  // namespace zvc::test
