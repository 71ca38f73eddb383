#include "core/tables/config_record.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

#include "core/common/format.h"
#include "core/common/text_codec.h"
#include "core/tables/config_image.h"
#include "core/tables/users_table.h"
#include "core/ui/frontend.h"

namespace zvc {
namespace {

using Record = ConfigFileRecord;

constexpr int kInputErrorKind = 2;
constexpr int kServedModel = 15;

// Tables kept in the record as plain copies, with where each lies.
struct TableSection {
  int table;
  std::size_t offset;
};

constexpr TableSection kNamesSection{5, Record::kNames};
constexpr TableSection kParametersSection{1, Record::kParameters};
constexpr TableSection kUpperLinkSection{3, Record::kUpperLink};
constexpr TableSection kUsersSection{4, Record::kUsers};
constexpr TableSection kSystemSection{6, Record::kSystem};
constexpr TableSection kChromatographSection{14, Record::kChromatographLink};
constexpr TableSection kMoistureMeterSection{15, Record::kMoistureMeterLink};
constexpr TableSection kFlowComputerLinkSection{9, Record::kFlowComputerLink};
// What follows the flow-computer records, in the order they are copied into the image.
constexpr TableSection kLaterSections[] = {
    {21, Record::kWriteNeed},
    {22, Record::kLimits},
    {23, Record::kLimits + Record::kLimitsStep},
    {24, Record::kLimits + 2 * Record::kLimitsStep},
    {25, Record::kLimits + 3 * Record::kLimitsStep},
    {26, Record::kLimits + 4 * Record::kLimitsStep},
    {28, Record::kAveragingPeriod},
    {43, Record::kConstantsNeed},
    {44, Record::kConstants},
    {45, Record::kConstantsNeed + Record::kRunStep},
    {46, Record::kConstants + Record::kRunStep},
    {29, Record::kEthernet},
};

// The per-flow-computer tables and the byte of a record each fills.
struct FlowComputerTable {
  int table;
  std::size_t byte;
};
constexpr FlowComputerTable kFlowComputerTables[] = {{18, 0}, {17, 1}, {19, 2}, {20, 3}};
constexpr int kPasswordTable = 13;

// Table 6 fields that say which instruments are connected.
constexpr std::size_t kChromatographPresent = 7;
constexpr std::size_t kMoistureMeterPresent = 8;
constexpr std::size_t kFlowComputersPresent = 9;


std::span<std::uint8_t> recordSpan(Record& record, std::size_t offset, std::size_t size) {
  return std::span<std::uint8_t>(record.bytes).subspan(offset, size);
}

void toImage(Record& record, TableSection section, ConfigImage& image) {
  const auto table = image.table(section.table);
  const auto source = recordSpan(record, section.offset, table.size());
  std::ranges::copy(source, table.begin());
}

void toRecord(const ConfigImage& image, TableSection section, Record& record) {
  const auto table = image.table(section.table);
  std::ranges::copy(table, record.bytes.begin() + section.offset);
}

std::uint8_t systemField(const Record& record, std::size_t field) {
  return record.bytes[Record::kSystem + field];
}

// --- the default record ---

struct DefaultParameter {
  const char* name;
  const char* designation;
  std::uint8_t unit;
  std::uint8_t type;
  std::uint16_t modbusRegister;
};

constexpr DefaultParameter kDefaultParameters[] = {
    {"Сум. МД гексана и б.т.с.", "C6 + 47", 1, 0, 35419},
    {"МД пропана", "C3", 1, 0, 35407},
    {"МД i-бутана", "izoC4", 1, 0, 35409},
    {"МД n-бутана", "nC4", 1, 0, 35411},
    {"МД нео-пентана", "neoC5", 1, 0, 35413},
    {"МД i-пентана", "izoC5", 1, 0, 35415},
    {"МД n-пентана", "nC5", 1, 0, 35417},
    {"МД азот + кислород", "N2 + O2", 1, 0, 35425},
    {"МД метана", "CH4", 1, 0, 35401},
    {"МД диоксида углерода", "CO2", 1, 0, 35403},
    {"МД этана", "C2H6", 1, 0, 35405},
    {"Теплота сгорания высшая", "Hs", 4, 4, 32502},
    {"Абсолютная плотность", "De", 6, 2, 32510},
    {"Число Воббе", "Woebbe", 4, 5, 32506},
    {"Теплота сгорания низшая", "Hi", 4, 3, 32504},
};

// Measured-parameter record layout (table 1).
constexpr std::size_t kParameterRecordBytes = 64;
constexpr std::size_t kParameterName = 0;
constexpr std::size_t kParameterNameBytes = 40;
constexpr std::size_t kDesignation = 40;
constexpr std::size_t kDesignationBytes = 10;
constexpr std::size_t kUnit = 50;
constexpr std::size_t kRangeMinimum = 51;
constexpr std::size_t kRangeMaximum = 55;
constexpr std::size_t kRegister = 59;
constexpr std::size_t kDecimals = 61;
constexpr std::size_t kParameterType = 62;

void putFloat(std::uint8_t* at, float value) {
  static_assert(sizeof(float) == 4);
  std::memcpy(at, &value, sizeof value);  // little-endian hosts only, as the files are
}

void putDefaultParameter(std::uint8_t* record, const DefaultParameter& parameter) {
  utf8ToField(parameter.name, record + kParameterName, kParameterNameBytes);
  utf8ToField(parameter.designation, record + kDesignation, kDesignationBytes);
  record[kUnit] = parameter.unit;
  putFloat(record + kRangeMinimum, 0.0F);
  putFloat(record + kRangeMaximum, 100.0F);
  record[kRegister] = parameter.modbusRegister & 0xFF;
  record[kRegister + 1] = parameter.modbusRegister >> 8;
  record[kDecimals] = 2;
  record[kParameterType] = parameter.type;
}

template <std::size_t N>
void putBytes(Record& record, std::size_t offset, const std::uint8_t (&values)[N]) {
  std::ranges::copy(values, record.bytes.begin() + offset);
}

void putDefaultNames(Record& record) {
  const std::string names[] = {format("Контроллер ЖВЦ_%02d", kServedModel), "Нитка 1", "Нитка 2"};
  for (std::size_t i = 0; i < std::size(names); ++i) {
    utf8ToField(names[i], &record.bytes[Record::kNames + 20 * i], 20);
  }
}

void putDefaultFlowComputers(Record& record) {
  for (std::size_t i = 0; i < Record::kFlowComputerCount; ++i) {
    const auto flowComputer = record.flowComputer(i);
    flowComputer[0] = static_cast<std::uint8_t>(i + 1);
    std::ranges::fill(flowComputer.subspan(Record::kPasswordInRecord), ' ');
  }
  const auto first = record.flowComputer(0);
  first[1] = 2;     // ВР-2
  first[2] = 0xA3;  // pipeline mask
  first[3] = 1;     // low address - low byte
}

// Slots without access hold blanks, so an emptied slot carries no old name or secret.
void blankUnusedUsers(UsersTableBytes users) {
  for (int slot = 0; slot < kUserSlots; ++slot) {
    UserRecord user = userRecord(users, slot);
    user.zero = 0;
    if (user.level == kNoAccess) {
      user.name.fill(' ');
      user.password.fill(' ');
      user.code.fill(' ');
    }
    storeUserRecord(users, slot, user);
  }
}

// --- checks of the record against the image ---

bool refuse(Frontend& frontend, const InputError& error) {
  frontend.showMessage(kInputErrorKind, error.line1, error.line2);
  return false;
}

bool flowComputerAddressesSet(const Record& record) {
  if (systemField(record, kFlowComputersPresent) == 0) return true;
  const std::size_t count =
      std::min<std::size_t>(record.bytes[Record::kFlowComputerLink], Record::kFlowComputerCount);
  for (std::size_t i = 0; i < count; ++i) {
    if (record.flowComputer(i)[0] == 0) return false;
  }
  return true;
}

void flowComputersToImage(const Record& record, ConfigImage& image) {
  for (std::size_t i = 0; i < Record::kFlowComputerCount; ++i) {
    const auto flowComputer = record.flowComputer(i);
    for (const FlowComputerTable& table : kFlowComputerTables) {
      image.field(table.table, int(i))[0] = flowComputer[table.byte];
    }
    std::ranges::copy(flowComputer.subspan(Record::kPasswordInRecord),
                      image.field(kPasswordTable, int(i)).begin());
  }
}

void flowComputersToRecord(const ConfigImage& image, Record& record) {
  for (std::size_t i = 0; i < Record::kFlowComputerCount; ++i) {
    const auto flowComputer = record.flowComputer(i);
    for (const FlowComputerTable& table : kFlowComputerTables) {
      flowComputer[table.byte] = image.field(table.table, int(i))[0];
    }
    std::ranges::fill(flowComputer.subspan(Record::kPasswordInRecord), ' ');
  }
}

}  // namespace

void scramblePasswords(ConfigFileRecord& record) {
  for (std::size_t i = 0; i < Record::kFlowComputerCount; ++i) {
    for (std::uint8_t& b : record.flowComputer(i).subspan(Record::kPasswordInRecord)) {
      b = static_cast<std::uint8_t>(4 - b);
    }
  }
}

ConfigFileRecord defaultConfigRecord() {
  Record record;
  record.bytes[Record::kTypeByte] = 73;
  record.bytes[Record::kVersionByte] = kServedModel;
  putDefaultNames(record);
  putBytes(record, Record::kUpperLink, {1, 11, 3});
  putBytes(record, Record::kSystem, {3, 0xC9, 3, 10, 0xC9, 4, 9, 1, 0, 1, 0, 1});
  putBytes(record, Record::kChromatographLink, {1, 11, 1, 0, 150, 5, 7, 1, 0, 0, 0, 1, 0, 1, 15});
  putBytes(record, Record::kMoistureMeterLink, {1, 11, 0, 0, 150, 5, 1});
  putBytes(record, Record::kFlowComputerLink, {1, 11, 5, 20, 3, 2});
  putDefaultFlowComputers(record);
  record.bytes[Record::kAveragingPeriod] = 1;
  blankUnusedUsers(record.at<kUsersBytes>(Record::kUsers));
  for (std::size_t i = 0; i < std::size(kDefaultParameters); ++i) {
    putDefaultParameter(&record.bytes[Record::kParameters + kParameterRecordBytes * i],
                        kDefaultParameters[i]);
  }
  return record;
}

void imageToConfigRecord(const ConfigImage& image, ConfigFileRecord& record) {
  record.bytes[Record::kIdentifiedFlag] = 1;
  std::ranges::copy(image.table(0), record.bytes.begin() + Record::kIdentification);
  for (TableSection section :
       {kNamesSection, kParametersSection, kUpperLinkSection, kUsersSection, kSystemSection,
        kChromatographSection, kMoistureMeterSection, kFlowComputerLinkSection}) {
    toRecord(image, section, record);
  }
  for (TableSection section : kLaterSections) toRecord(image, section, record);
  flowComputersToRecord(image, record);
}

std::optional<InputError> checkUsersSection(std::span<std::uint8_t, kUsersBytes> users) {
  blankUnusedUsers(users);
  return checkUsersTable(users);
}

bool configRecordToImage(ConfigFileRecord& record, bool checkUsers, ConfigImage& image,
                         Frontend& frontend) {
  for (TableSection section : {kNamesSection, kParametersSection, kUpperLinkSection}) {
    toImage(record, section, image);
  }
  if (checkUsers) {
    if (auto error = checkUsersSection(record.at<kUsersBytes>(Record::kUsers))) {
      return refuse(frontend, *error);
    }
    toImage(record, kUsersSection, image);
  }
  toImage(record, kSystemSection, image);
  if (systemField(record, kChromatographPresent) != 0 &&
      record.bytes[Record::kChromatographLink] == 0) {
    return refuse(frontend, {"Неверно задан адрес хроматографа", ""});
  }
  toImage(record, kChromatographSection, image);
  if (systemField(record, kMoistureMeterPresent) != 0 &&
      record.bytes[Record::kMoistureMeterLink] == 0) {
    return refuse(frontend, {"Неверно задан адрес влагомера", ""});
  }
  toImage(record, kMoistureMeterSection, image);
  toImage(record, kFlowComputerLinkSection, image);
  if (!flowComputerAddressesSet(record)) {
    return refuse(frontend, {"Неверно заданы адреса вычислителей РГ", ""});
  }
  flowComputersToImage(record, image);
  for (TableSection section : kLaterSections) toImage(record, section, image);
  return true;
}

}  // namespace zvc
