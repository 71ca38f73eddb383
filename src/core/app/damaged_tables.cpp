#include "core/app/damaged_tables.h"

#include <algorithm>

#include "core/app/connection_step.h"
#include "core/link/kpsbox.h"
#include "core/tables/config_image.h"
#include "core/tables/controller_clock.h"
#include "core/tables/table_state_dialog.h"
#include "core/ui/connection_state.h"
#include "core/ui/frontend.h"

namespace zvc {
namespace {

constexpr int kQuestionKind = 3;
constexpr int kExchangeResultKind = 5;

constexpr int kClockTable = 2;
constexpr int kUsersTable = 4;
constexpr int kSystemTable = 6;
constexpr int kStateTable = 7;
constexpr int kVersionField = 3;

constexpr TableRange kSystemRange{kSystemTable, 0, 12};
constexpr TableRange kStateRange{kStateTable, 0, TableCatalogue::kTableCount};
// The users table goes out in two requests, as the controller rebuilds it.
constexpr TableRange kUsersFirstRange{kUsersTable, 0, 10};
constexpr TableRange kUsersSecondRange{kUsersTable, 10, 6};

constexpr const char* kNotAllowed = "Запись в таблицы параметров конфигурации недопустима";

bool flaggedOtherThan(const TableStateBlock& block, std::initializer_list<int> tables) {
  for (int table = 0; table < TableCatalogue::kTableCount; ++table) {
    if (std::ranges::find(tables, table) != tables.end()) continue;
    if (block.writeRequest[table]) return true;
  }
  return false;
}

// The engine's credentials replaced for the life of a scope, and back whatever happens.
class BlankCredentials {
 public:
  explicit BlankCredentials(kpsbox& engine)
      : engine_(engine), password_(engine.writePassword), code_(engine.userCode) {
    engine_.writePassword.fill(' ');
    engine_.userCode.fill(' ');
  }
  ~BlankCredentials() {
    engine_.writePassword = password_;
    engine_.userCode = code_;
  }
  BlankCredentials(const BlankCredentials&) = delete;
  BlankCredentials& operator=(const BlankCredentials&) = delete;

 private:
  kpsbox& engine_;
  decltype(kpsbox::writePassword) password_;
  decltype(kpsbox::userCode) code_;
};

}  // namespace

DamagedTables::DamagedTables(ConnectionState& connection, TableService& tables, RestoreHost& host)
    : connection_(connection), tables_(tables), host_(host) {}

bool DamagedTables::run() {
  const bool version14 = tables_.image().field(0, kVersionField)[0] == kOlderSoftwareVersion;
  if (version14) {
    // The older software keeps its tables in another form: every one counts as lost.
    std::ranges::fill(tables_.image().table(kStateTable), 1);
  } else if (!readTableStates()) {
    return readWorkingTables();
  }
  TableStateBlock block = tableStateBlock(tables_.image());
  switch (host_.showTableStates(block)) {
    case kTableStateExit:
      return !version14 && readWorkingTables();
    case kWriteSelectedTables:
      if (flaggedOtherThan(block, {kClockTable})) return restore(block);
      return setClockThenReadWorkingTables();
    case kWriteAllTables:
      if (!version14) return readWorkingTables();
      connection_.restoreThenDisconnect = true;
      return restore(block);
    default:  // the non-volatile data were reset: the controller starts anew
      return false;
  }
}

bool DamagedTables::readTableStates() {
  BusyCursor busy(tables_.frontend());
  return tables_.readTableRange(kStateRange);
}

// The summer and winter rules of table 6 decide the time type of the clock written.
bool DamagedTables::setClockThenReadWorkingTables() {
  if (tables_.readTableRange(kSystemRange)) writeComputerTime(tables_);
  return readWorkingTables();
}

bool DamagedTables::restore(TableStateBlock& block) {
  if (prepareRestore(block)) writeRestore(block);
  if (connection_.restoreThenDisconnect) {
    connection_.restoreThenDisconnect = false;
    return false;
  }
  return readWorkingTables();
}

bool DamagedTables::prepareRestore(TableStateBlock& block) {
  std::optional<ConfigFileRecord> record = host_.loadConfigRecord();
  if (!record) return false;
  if (flaggedOtherThan(block, {kClockTable, kUsersTable})) {
    return prepareFromEditor(*record, block.writeRequest[kUsersTable] != 0);
  }
  return prepareClockAndUsers(block, *record);
}

// The editor shows what is going to be written; the record goes into the image only when it
// passes the checks, and the user may correct it until then.
bool DamagedTables::prepareFromEditor(ConfigFileRecord& record, bool usersToWrite) {
  Frontend& frontend = tables_.frontend();
  for (;;) {
    const ConfigEditOutcome outcome = host_.editConfigRecord(record);
    if (!outcome.accepted) return false;
    if (outcome.changed) host_.saveConfigRecord(record);
    if (configRecordToImage(record, usersToWrite, tables_.image(), frontend)) return true;
    if (!frontend.showMessage(kQuestionKind, "Корректировать параметры конфигурации?", "")) {
      frontend.showMessage(kExchangeResultKind, "Запись таблиц не выполнена", "");
      return false;
    }
  }
}

bool DamagedTables::prepareClockAndUsers(TableStateBlock& block, ConfigFileRecord& record) {
  if (block.writeRequest[kUsersTable]) {
    auto users = record.at<kUsersBytes>(ConfigFileRecord::kUsers);
    if (!host_.editUsersTable(users)) {
      tables_.frontend().showMessage(kExchangeResultKind,
                                     "Таблица доступа к записи в контроллер не восстановлена",
                                     kNotAllowed);
      return false;
    }
    std::ranges::copy(users, tables_.image().table(kUsersTable).begin());
  }
  return !block.writeRequest[kClockTable] || tables_.readTableRange(kSystemRange);
}

bool DamagedTables::writeRestore(TableStateBlock& block) {
  Frontend& frontend = tables_.frontend();
  frontend.setStatus(kResultPanel, "");
  if (block.writeRequest[kUsersTable]) {
    if (!writeUsersTable()) {
      frontend.showMessage(kExchangeResultKind,
                           "Таблица зарегистрированных пользователей не восстановлена",
                           kNotAllowed);
      return false;
    }
    block.writeRequest[kUsersTable] = 0;
  }
  if (block.writeRequest[kClockTable]) {
    writeComputerTime(tables_);
    block.writeRequest[kClockTable] = 0;
  }
  return tables_.writeFlaggedTables(block);
}

// A destroyed users table accepts only blank credentials; the person's own are back afterwards.
bool DamagedTables::writeUsersTable() {
  BlankCredentials blank(tables_.engine());
  return tables_.writeTableRange(kUsersFirstRange) && tables_.writeTableRange(kUsersSecondRange);
}

bool DamagedTables::readWorkingTables() {
  return zvc::readWorkingTables(tables_);
}

}  // namespace zvc
