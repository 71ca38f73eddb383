#include "core/tables/table_service.h"

#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

#include "core/common/baud_rates.h"
#include "core/common/format.h"
#include "core/common/text_codec.h"
#include "core/link/kpsbox.h"
#include "core/link/link_settings.h"
#include "core/tables/config_image.h"
#include "core/tables/text_catalogue.h"
#include "core/ui/connection_state.h"
#include "core/ui/frontend.h"

namespace zvc {
namespace {

constexpr int kMaxReadBytes = 245;
constexpr int kMaxWriteBytes = 229;
constexpr int kWriteOverhead = 26;  // frame, credentials and header around the data of a write
constexpr int kRetryQuestion = 7;
constexpr int kQuestion = 3;
constexpr int kExchangeResult = 5;
constexpr int kProgressWriteConfiguration = 2;
constexpr int kProgressReadConfiguration = 3;

constexpr int kAddressTable = 3;
constexpr int kNamesTable = 5;
constexpr int kFlowComputerLinkTable = 9;
constexpr int kPasswordTable = 13;
constexpr int kFlowComputerTables[] = {17, 18, 19, 20};

constexpr std::uint8_t kResetAddress = 1;
constexpr int kResetRate = 9600;

// Answer payload (frame byte 4 on): byte 0 not examined, bytes 1..3 the echoed range, then data.
constexpr int kPayload = 4;
constexpr int kAnswerHeaderBytes = 4;
constexpr int kEchoedRange = kPayload + 1;
constexpr int kAnswerData = kPayload + kAnswerHeaderBytes;
constexpr int kFrameOverhead = 6;

struct TransferTexts {
  const char* statusOneField;
  const char* statusFields;
  const char* failure;
  const char* failedTableName;
  const char* wrongEcho;
};

constexpr TransferTexts kReadTexts{"Чтение из таблицы %d (поле %d)",
                                   "Чтение из таблицы %d (поля %d-%d)",
                                   "Не выполнено чтение из таблицы %d.", "\"%s\"",
                                   "Несоответствие запрошенных и переданных данных."};
constexpr TransferTexts kWriteTexts{"Запись в таблицу %d (поле %d)",
                                    "Запись в таблицу %d (поля %d-%d)",
                                    "Не выполнена запись в таблицу %d.", "\"%s\".",
                                    "Несоответствие заголовка ответа заголовку запроса на запись."};

std::string tableName(int table) {
  return std::string(TextCatalogue::text(TextCatalogue::kTableNames, table));
}

std::string progressText(const TransferTexts& texts, TableRange range) {
  if (range.count < 2) return format(texts.statusOneField, range.table, range.first);
  return format(texts.statusFields, range.table, range.first, range.first + range.count - 1);
}

bool rangeExists(TableRange range) {
  const TableDescriptor& table = TableCatalogue::table(range.table);
  return range.count > 0 && range.first + range.count <= table.fieldCount;
}

int fieldsPerRequest(int table, int maxBytes) {
  const int size = TableCatalogue::table(table).fieldSize;
  return size == 0 ? 0 : maxBytes / size;
}

int writeCost(int fields, int fieldSize) {
  return kWriteOverhead + fields * fieldSize;
}

// Runs of consecutive changed fields, as (first, count) relative to the range start.
std::vector<std::pair<int, int>> changedRuns(const std::vector<bool>& changed) {
  std::vector<std::pair<int, int>> runs;
  for (int i = 0; i < static_cast<int>(changed.size()); ++i) {
    if (!changed[i]) continue;
    if (!runs.empty() && runs.back().first + runs.back().second == i) {
      ++runs.back().second;
    } else {
      runs.push_back({i, 1});
    }
  }
  return runs;
}

}  // namespace

TableStateBlock tableStateBlock(const ConfigImage& image) {
  TableStateBlock block;
  const auto states = image.table(7);
  for (int table = 0; table < TableCatalogue::kTableCount; ++table) {
    block.configuration[table] = TableCatalogue::table(table).configuration ? 1 : 0;
    block.destroyed[table] = states[table] != 0 ? 1 : 0;
  }
  return block;
}

int maxReadFields(int table) {
  return fieldsPerRequest(table, kMaxReadBytes);
}
int maxWriteFields(int table) {
  return fieldsPerRequest(table, kMaxWriteBytes);
}

TableService::TableService(ConnectionState& connection, ConfigImage& image,
                           LinkSettings& linkSettings, Frontend& frontend)
    : connection_(connection), image_(image), linkSettings_(linkSettings), frontend_(frontend) {}

kpsbox& TableService::engine() const {
  return *connection_.engine;
}

bool TableService::readTableRange(TableRange range, bool verbose) {
  return transferRange(Direction::kRead, range, verbose);
}

bool TableService::writeTableRange(TableRange range) {
  return transferRange(Direction::kWrite, range, true);
}

bool TableService::transferRange(Direction direction, TableRange range, bool verbose) {
  if (!rangeExists(range)) return false;
  const int perRequest =
      direction == Direction::kRead ? maxReadFields(range.table) : maxWriteFields(range.table);
  const int end = range.first + range.count;
  for (int first = range.first; first < end; first += perRequest) {
    const TableRange chunk{range.table, std::uint8_t(first),
                           std::uint8_t(std::min(perRequest, end - first))};
    if (!transferRequest(direction, chunk, verbose)) return false;
  }
  return true;
}

// One request, repeated for as long as the user asks after a failure.
bool TableService::transferRequest(Direction direction, TableRange chunk, bool verbose) {
  const bool reading = direction == Direction::kRead;
  const TransferTexts& texts = reading ? kReadTexts : kWriteTexts;
  const auto fields = image_.fields(chunk.table, chunk.first, chunk.count);
  std::array<std::uint8_t, 3 + kMaxWriteBytes> data{chunk.table, chunk.first, chunk.count};
  int length = 3;
  if (!reading) {
    std::copy(fields.begin(), fields.end(), data.begin() + length);
    length += static_cast<int>(fields.size());
  }
  const std::string name = tableName(chunk.table);
  for (;;) {
    if (verbose) setResult(progressText(texts, chunk));
    const auto function = reading ? kpsbox::kReadTable : kpsbox::kWriteTable;
    if (!engine().Command(function, data.data(), length, 0)) {
      if (!verbose) return false;
      setResult(engine().ErrorText());
      if (askRetry(format(texts.failure, chunk.table), format(texts.failedTableName, name.c_str()),
                   verbose)) {
        continue;
      }
      return false;
    }
    if (!answerMatches(chunk, reading ? static_cast<int>(fields.size()) : 0)) {
      if (askRetry(texts.wrongEcho, format("Табл. %d \"%s\".", chunk.table, name.c_str()),
                   verbose)) {
        continue;
      }
      return false;
    }
    if (reading)
      std::copy_n(engine().response.begin() + kAnswerData, fields.size(), fields.begin());
    if (verbose) setResult("");
    return true;
  }
}

// The echo must repeat the request's range, and a read answer must carry all the data asked
// for: a short answer would otherwise fill the image with whatever the buffer held.
bool TableService::answerMatches(TableRange chunk, int dataBytes) const {
  const auto& answer = engine().response;
  const int payloadBytes = answer[2] - kFrameOverhead;
  return payloadBytes >= kAnswerHeaderBytes + dataBytes && answer[kEchoedRange] == chunk.table &&
         answer[kEchoedRange + 1] == chunk.first && answer[kEchoedRange + 2] == chunk.count;
}

// A silent read leaves the status bar to whoever wrote it last.
bool TableService::askRetry(std::string_view line1, std::string_view line2, bool verbose) {
  const bool retry = frontend_.showMessage(kRetryQuestion, line1, line2);
  if (verbose) setResult("");
  return retry;
}

void TableService::setResult(std::string_view text) {
  frontend_.setStatus(kResultPanel, text);
}

bool TableService::writeChangedFields(TableRange range, std::span<const std::uint8_t> oldCopy) {
  if (!rangeExists(range)) return false;
  const auto current = image_.fields(range.table, range.first, range.count);
  if (oldCopy.size() != current.size()) return false;
  if (std::equal(current.begin(), current.end(), oldCopy.begin())) return true;

  const int size = TableCatalogue::table(range.table).fieldSize;
  std::vector<bool> changed(range.count);
  for (int i = 0; i < range.count; ++i) {
    changed[i] = !std::equal(current.begin() + i * size, current.begin() + (i + 1) * size,
                             oldCopy.begin() + i * size);
  }
  const auto runs = changedRuns(changed);
  const int first = runs.front().first;
  const int span = runs.back().first + runs.back().second - first;
  int runsCost = 0;
  for (const auto& run : runs) runsCost += writeCost(run.second, size);
  if (runs.size() == 1 || writeCost(span, size) < runsCost) {
    return writeTableRange({range.table, std::uint8_t(range.first + first), std::uint8_t(span)});
  }
  for (const auto& run : runs) {
    const TableRange part{range.table, std::uint8_t(range.first + run.first),
                          std::uint8_t(run.second)};
    if (!writeTableRange(part)) return false;
  }
  return true;
}

bool TableService::readConfiguration() {
  const int maximum = TableCatalogue::configurationTableCount() + 1;
  frontend_.progressBegin(kProgressReadConfiguration, maximum);
  frontend_.progressSet(0);
  int done = 0;
  for (int table = 0; table < TableCatalogue::kTableCount; ++table) {
    const TableDescriptor& descriptor = TableCatalogue::table(table);
    if (!descriptor.configuration || table == kPasswordTable) continue;
    if (!readTableRange({std::uint8_t(table), 0, descriptor.fieldCount})) {
      frontend_.progressEnd();
      return false;
    }
    if (table == kNamesTable) {
      if (namesInCp866()) convertNames(decodeCp866);
      showControllerName();
    }
    frontend_.progressSet(++done);
  }
  showFullProgress(maximum);
  frontend_.progressEnd();
  return true;
}

bool TableService::writeFlaggedTables(TableStateBlock& block) {
  const TableDescriptor& flowComputerTable = TableCatalogue::table(kFlowComputerTables[0]);
  // The count comes from the image; never more fields than the tables have.
  const int flowComputers =
      std::min<int>(image_.field(kFlowComputerLinkTable, 0)[0], flowComputerTable.fieldCount);
  const int maximum = TableCatalogue::configurationTableCount();
  frontend_.progressBegin(kProgressWriteConfiguration, maximum);
  frontend_.progressSet(0);
  int written = 0;
  bool ok = writeFlaggedTable(block, kFlowComputerLinkTable,
                              TableCatalogue::table(kFlowComputerLinkTable).fieldCount, written);
  for (int table : kFlowComputerTables) {
    ok = ok && writeFlaggedTable(block, table, flowComputers, written);
  }
  ok = ok && writeFlaggedTable(block, kPasswordTable, flowComputers, written);
  for (int table = 0; ok && table < TableCatalogue::kTableCount; ++table) {
    if (!TableCatalogue::hasFields(table)) continue;
    ok = writeFlaggedTable(block, table, TableCatalogue::table(table).fieldCount, written);
  }
  if (ok) showFullProgress(maximum);
  frontend_.progressEnd();
  return ok;
}

// Writes fields 0..count-1 of a flagged table and clears its flag; an unflagged table is left.
bool TableService::writeFlaggedTable(TableStateBlock& block, int table, int count, int& written) {
  if (!block.writeRequest[table]) return true;
  if (count > 0 && !writeFirstFields(table, count)) return false;
  block.writeRequest[table] = 0;
  frontend_.progressSet(++written);
  return true;
}

bool TableService::writeFirstFields(int table, int count) {
  const bool encodeNames = table == kNamesTable && namesInCp866();
  if (encodeNames) convertNames(encodeCp866);
  const bool ok = writeTableRange({std::uint8_t(table), 0, std::uint8_t(count)});
  if (encodeNames) convertNames(decodeCp866);  // the image keeps Windows-1251 whatever the outcome
  if (!ok) return false;
  if (table == kNamesTable) showControllerName();
  if (table == kAddressTable && !connection_.restoreThenDisconnect) followAddressTable();
  return true;
}

// Only a direct line runs at the controller's rate; a modem or a socket keeps its own.
void TableService::followAddressTable() {
  const auto link = image_.table(kAddressTable);
  const bool directLine = engine().linkType == kpsbox::kDirectLine;
  switchLink(link[0], directLine ? baudRateOfCode(link[1]) : 0);
}

bool TableService::readNames(int first, int count) {
  if (!readTableRange({kNamesTable, std::uint8_t(first), std::uint8_t(count)})) return false;
  if (namesInCp866()) convertNames(decodeCp866, first, count);
  return true;
}

bool TableService::writeChangedNames(std::span<const std::uint8_t> oldCopy) {
  const auto names = image_.table(kNamesTable);
  if (oldCopy.size() != names.size()) return false;
  // Compared in the code page that travels, so that only the names the user changed go out.
  std::vector<std::uint8_t> old(oldCopy.begin(), oldCopy.end());
  const bool cp866 = namesInCp866();
  const std::size_t size = TableCatalogue::table(kNamesTable).fieldSize;
  if (cp866) {
    for (std::size_t at = 0; at < old.size(); at += size) encodeCp866(old.data() + at, size);
    convertNames(encodeCp866);
  }
  const bool ok = writeChangedFields({kNamesTable, 0, kNameFields}, old);
  if (cp866) convertNames(decodeCp866);  // the image keeps Windows-1251 whatever the outcome
  if (ok) showControllerName();
  return ok;
}

bool TableService::namesInCp866() const {
  return image_.field(0, 12)[0] == 0;
}

void TableService::convertNames(void (*convert)(std::uint8_t*, std::size_t), int first, int count) {
  for (int name = first; name < first + count; ++name) {
    const auto field = image_.field(kNamesTable, name);
    convert(field.data(), field.size());
  }
}

void TableService::showControllerName() {
  const auto name = image_.field(kNamesTable, 0);
  frontend_.setStatus(kControllerNamePanel, fieldToUtf8(name.data(), name.size()));
}

// The engine and the saved settings of the link in use follow the controller's new address and
// speed. A rate of 0 (a code outside the table) keeps the speed: the engine cannot run at 0 bit/s.
void TableService::switchLink(std::uint8_t address, int rate) {
  LinkParams& params = chosenLinkParams(linkSettings_);
  engine().address = address;
  params.address = address;
  if (rate != 0) {
    engine().baudRate = rate;
    params.speed = rate;
  }
  if (refreshLinkStatus) refreshLinkStatus();
}

bool TableService::resetNonVolatileData() {
  if (!frontend_.showMessage(kQuestion, "Вы уверены, что хотите выполнить сброс",
                             "всех энергонезависимых данных?")) {
    return false;
  }
  if (!engine().Command(kpsbox::kResetController, nullptr, 0, 0)) {
    frontend_.showMessage(kExchangeResult, "Команда не может быть выполнена.",
                          engine().ErrorText());
    return false;
  }
  switchLink(kResetAddress, kResetRate);
  return true;
}

void TableService::showFullProgress(int maximum) {
  frontend_.progressSet(maximum);
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(finalPauseMs);
  while (std::chrono::steady_clock::now() < until) {
    frontend_.processEvents();
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

}  // namespace zvc
