#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "core/tables/config_record.h"
#include "core/tables/table_service.h"

namespace zvc {

struct ConnectionState;

// What the configuration editor reports when it closes.
struct ConfigEditOutcome {
  bool accepted = false;
  bool changed = false;
};

// The windows the damaged-table procedure shows.
class RestoreHost {
 public:
  virtual ~RestoreHost() = default;
  // The table-state dialog; sets the write-request flags and gives its result 0..3.
  virtual int showTableStates(TableStateBlock& block) = 0;
  // The open dialog and the chosen file; nothing when cancelled or refused.
  virtual std::optional<ConfigFileRecord> loadConfigRecord() = 0;
  // The configuration editor in write-to-device mode.
  virtual ConfigEditOutcome editConfigRecord(ConfigFileRecord& record) = 0;
  // The save dialog on the default name, then the file.
  virtual void saveConfigRecord(const ConfigFileRecord& record) = 0;
  // The users-table dialog in write-to-device mode; true when the table was confirmed.
  virtual bool editUsersTable(std::span<std::uint8_t, kUsersBytes> users) = 0;
};

// Destroyed tables or a version-14 controller found at connection: the table-state dialog, and
// the tables the user asks for rewritten from a configuration file, or the clock set.
class DamagedTables {
 public:
  DamagedTables(ConnectionState& connection, TableService& tables, RestoreHost& host);

  // True when the controller may be worked with afterwards (the working tables were read).
  bool run();

 private:
  bool readTableStates();
  bool setClockThenReadWorkingTables();
  bool restore(TableStateBlock& block);
  bool prepareRestore(TableStateBlock& block);
  bool prepareFromEditor(ConfigFileRecord& record, bool usersToWrite);
  bool prepareClockAndUsers(TableStateBlock& block, ConfigFileRecord& record);
  bool writeRestore(TableStateBlock& block);
  bool writeUsersTable();
  bool readWorkingTables();

  ConnectionState& connection_;
  TableService& tables_;
  RestoreHost& host_;
};

}  // namespace zvc
