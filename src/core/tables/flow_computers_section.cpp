#include "core/tables/flow_computers_section.h"

#include <algorithm>

#include "core/common/format.h"
#include "core/common/text_codec.h"
#include "core/tables/config_image.h"
#include "core/tables/flow_computer_link_section.h"

namespace zvc {
namespace {

// Record byte k comes from table kRecordTables[k].
constexpr std::array<std::uint8_t, 4> kRecordTables = {18, 17, 19, 20};
// Tables written in this order.
constexpr std::array<std::uint8_t, 4> kWriteOrder = {17, 18, 19, 20};
constexpr std::uint8_t kCountTable = 9;
constexpr std::uint8_t kPasswordTable = 13;
constexpr int kRunsInUseTable = 14;
constexpr int kRunsInUseField = 7;
constexpr int kMaxAddress = 254;
constexpr int kRun2Shift = 4;

std::size_t recordByte(std::uint8_t table) {
  return static_cast<std::size_t>(std::ranges::find(kRecordTables, table) - kRecordTables.begin());
}

// The bytes of a password field as the user edits them: blank-padded, no terminator.
std::string passwordText(std::span<const std::uint8_t> bytes) {
  const std::string text(bytes.begin(), bytes.end());
  return cp1251ToUtf8(text.substr(0, text.find_last_not_of(std::string_view(" \0", 2)) + 1));
}

void storePassword(std::string_view text, std::span<std::uint8_t> bytes) {
  std::ranges::fill(bytes, ' ');
  const std::string cp1251 = utf8ToCp1251(text);
  std::ranges::copy(std::string_view(cp1251).substr(0, bytes.size()), bytes.begin());
}

std::span<std::uint8_t> souPassword(FlowComputerRecord& record) {
  return std::span(record).subspan(kPasswordOffset, kSouPasswordBytes);
}
std::span<std::uint8_t> souCode(FlowComputerRecord& record) {
  return std::span(record).subspan(kPasswordOffset + kSouPasswordBytes, kSouCodeBytes);
}
std::span<std::uint8_t> password(FlowComputerRecord& record) {
  return std::span(record).subspan(kPasswordOffset, kPasswordBytes);
}

}  // namespace

std::array<std::string, 4> flowComputerRow(const FlowComputerRecord& record) {
  const auto name = [](const auto& names, std::uint8_t code) {
    return code < names.size() ? format(" %s", std::string(names[code]).c_str()) : " ?";
  };
  return {format("   %d", record[0]), name(kFlowComputerTypeNames, record[1]),
          name(kByteOrderNames, record[3]), format("      0x%02X", record[2])};
}

InputError flowComputerRemoveQuestion(const FlowComputerRecord& record) {
  return {"Вы действительно хотите удалить", format("вычислитель адр. %d?", record[0])};
}

std::vector<ParameterLine> flowComputerLines(std::span<const FlowComputerRecord> records) {
  std::vector<ParameterLine> lines;
  for (std::size_t i = 0; i < records.size(); ++i) {
    const std::array<std::string, 4> row = flowComputerRow(records[i]);
    std::string value;
    for (std::size_t column = 0; column < row.size(); ++column) {
      if (column > 0) value += "\t";
      value += oneLineLabel(kFlowComputerColumns[column]) + ": " + oneLineLabel(row[column]);
    }
    lines.push_back({format("Вычислитель № %d", int(i + 1)), value});
  }
  return lines;
}

FlowComputerRecord newFlowComputer() {
  return {};
}

FlowComputerList::FlowComputerList(std::span<const FlowComputerRecord> records) {
  for (const FlowComputerRecord& record : records.first(std::min<std::size_t>(records.size(), 16))) {
    entries_.push_back({record});
  }
  if (entries_.empty()) {
    FlowComputerRecord blank{};
    std::ranges::fill(password(blank), ' ');
    entries_.push_back({blank});
  }
}

bool FlowComputerList::canAdd() const {
  return count() < kMaxFlowComputers;
}

bool FlowComputerList::canRemove() const {
  return count() >= 2;
}

void FlowComputerList::add(const FlowComputerRecord& record, bool sou) {
  if (canAdd()) entries_.push_back({record, sou, true});
}

void FlowComputerList::replace(int index, const FlowComputerRecord& record, bool sou,
                               bool passwordChanged) {
  Entry& entry = entries_[index];
  entry.record = record;
  entry.sou = sou;
  entry.passwordChanged = entry.passwordChanged || passwordChanged;
}

void FlowComputerList::remove(int index) {
  if (!canRemove()) return;
  entries_.erase(entries_.begin() + index);
  for (auto moved = entries_.begin() + index; moved != entries_.end(); ++moved) {
    moved->passwordChanged = true;
  }
}

std::optional<InputError> FlowComputerList::check() const {
  for (int i = 0; i < count(); ++i) {
    const FlowComputerRecord& record = entries_[i].record;
    if (record[0] == 0 || record[0] == 255 || record[1] > 3 || record[3] > 1) {
      return InputError{format("Вычислитель № %d", i + 1), "Неверно заданы параметры"};
    }
    for (int later = i + 1; later < count(); ++later) {
      if (entries_[later].record[0] == record[0]) {
        return InputError{format("Повтор адреса %d", record[0]), ""};
      }
    }
  }
  return std::nullopt;
}

std::vector<FlowComputerRecord> FlowComputerList::records() const {
  std::vector<FlowComputerRecord> records;
  for (const Entry& entry : entries_) records.push_back(entry.record);
  return records;
}

std::vector<std::string> flowComputerAddressTexts() {
  return numberTexts(1, kMaxAddress);
}

int pipelineCount(std::optional<int> type) {
  if (!type) return 0;
  return *type == 1 ? 1 : kPipelines;
}

bool runSelectable(int run, std::uint8_t runsInUse) {
  return (runsInUse >> run & 1) != 0;
}

FlowComputerInput flowComputerInput(const FlowComputerRecord& record, bool sou,
                                    std::uint8_t runsInUse) {
  FlowComputerInput input;
  input.address = record[0] == 0 ? "" : std::to_string(record[0]);
  input.type = indexInRange(record[1], 0, 3);
  input.byteOrder = indexInRange(record[3], 0, 1);
  for (int p = 0; p < pipelineCount(input.type); ++p) {
    input.pipelines[p] = (record[2] >> p & 1) != 0;
    const int run = record[2] >> (p + kRun2Shift) & 1;
    if (input.pipelines[p] && runSelectable(run, runsInUse)) input.runs[p] = run;
  }
  input.sou = sou;
  FlowComputerRecord copy = record;
  if (sou) {
    input.password = passwordText(souPassword(copy));
    input.code = passwordText(souCode(copy));
  } else {
    input.password = passwordText(password(copy));
  }
  return input;
}

std::optional<InputError> acceptFlowComputer(const FlowComputerInput& input,
                                             std::uint8_t runsInUse, FlowComputerRecord& record,
                                             bool& passwordChanged) {
  if (!fieldNumber(input.address) || !input.type || !input.byteOrder) return missingInput();
  const long long address = *fieldNumber(input.address);
  if (address < 1 || address > kMaxAddress) return InputError{"Адрес вне допускаемого диапазона", ""};
  std::uint8_t mask = 0;
  for (int p = 0; p < pipelineCount(input.type); ++p) {
    if (!input.pipelines[p]) continue;
    if (!input.runs[p] || !runSelectable(*input.runs[p], runsInUse)) return missingInput();
    mask |= static_cast<std::uint8_t>(1 << p | *input.runs[p] << (p + kRun2Shift));
  }
  FlowComputerRecord stored = record;
  stored[0] = static_cast<std::uint8_t>(address);
  stored[1] = static_cast<std::uint8_t>(*input.type);
  stored[2] = mask;
  stored[3] = static_cast<std::uint8_t>(*input.byteOrder);
  // A password the user left as it was keeps its bytes exactly.
  if (flowComputerInput(record, input.sou, runsInUse).password != input.password ||
      flowComputerInput(record, input.sou, runsInUse).code != input.code) {
    if (input.sou) {
      storePassword(input.password, souPassword(stored));
      storePassword(input.code, souCode(stored));
    } else {
      storePassword(input.password, password(stored));
    }
  }
  passwordChanged = !std::ranges::equal(password(stored), password(record));
  record = stored;
  return std::nullopt;
}

FlowComputersEdit::FlowComputersEdit(TableService& tables)
    : tables_(tables), count_(tables, {kCountTable, 0, 1}) {}

bool FlowComputersEdit::read() {
  return count_.read() && readRecords(std::min<int>(count_.section()[0], kMaxFlowComputers));
}

bool FlowComputersEdit::readRecords(int count) {
  readCount_ = std::clamp(count, 0, kMaxFlowComputers);
  for (std::size_t t = 0; t < kWriteOrder.size(); ++t) {
    const std::uint8_t table = kWriteOrder[t];
    if (readCount_ > 0 && !tables_.readTableRange({table, 0, std::uint8_t(readCount_)})) {
      return false;
    }
    const auto fields = tables_.image().table(table);
    oldTables_[t].assign(fields.begin(), fields.end());
    // Fields the controller was not asked for count as changed, so a new entry is always sent.
    for (std::size_t f = readCount_; f < oldTables_[t].size(); ++f) {
      oldTables_[t][f] = static_cast<std::uint8_t>(~oldTables_[t][f]);
    }
  }
  passwordChanged_.fill(false);
  return true;
}

std::vector<FlowComputerRecord> FlowComputersEdit::records() const {
  const ConfigImage& image = tables_.image();
  std::vector<FlowComputerRecord> records(readCount_);
  for (int i = 0; i < readCount_; ++i) {
    for (const std::uint8_t table : kRecordTables) {
      records[i][recordByte(table)] = image.field(table, i)[0];
    }
    std::ranges::fill(password(records[i]), ' ');
  }
  return records;
}

std::uint8_t FlowComputersEdit::runsInUse() const {
  return tables_.image().field(kRunsInUseTable, kRunsInUseField)[0];
}

void FlowComputersEdit::store(const FlowComputerList& list) {
  ConfigImage& image = tables_.image();
  image.field(kCountTable, 0)[0] = static_cast<std::uint8_t>(list.count());
  for (int i = 0; i < list.count(); ++i) {
    FlowComputerRecord record = list.record(i);
    for (const std::uint8_t table : kRecordTables) {
      image.field(table, i)[0] = record[recordByte(table)];
    }
    std::ranges::copy(password(record), image.field(kPasswordTable, i).begin());
    passwordChanged_[i] = list.passwordChanged(i);
  }
}

bool FlowComputersEdit::countChanged() const {
  return count_.changed();
}

bool FlowComputersEdit::write() {
  if (countChanged() && !tables_.writeTableRange({kCountTable, 0, 1})) return false;
  return writeRecords();
}

bool FlowComputersEdit::writeRecords() {
  const auto count = static_cast<std::uint8_t>(tables_.image().field(kCountTable, 0)[0]);
  for (std::size_t t = 0; t < kWriteOrder.size(); ++t) {
    const auto old = std::span<const std::uint8_t>(oldTables_[t]).first(count);
    if (!tables_.writeChangedFields({kWriteOrder[t], 0, count}, old)) return false;
  }
  for (std::uint8_t i = 0; i < count; ++i) {
    if (passwordChanged_[i] && !tables_.writeTableRange({kPasswordTable, i, 1})) return false;
  }
  return true;
}

}  // namespace zvc
