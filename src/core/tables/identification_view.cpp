#include "core/tables/identification_view.h"

#include "core/common/format.h"

namespace zvc {
namespace {

// Table 0 fields.
constexpr int kDestroyedTableField = 0;
constexpr int kTypeField = 1;
constexpr int kHardwareVersionField = 2;
constexpr int kSoftwareVersionField = 3;
constexpr int kBuildYearField = 4;
constexpr int kBuildMonthField = 5;
constexpr int kBuildDayField = 6;
constexpr int kBuildHourField = 7;
constexpr int kBuildMinuteField = 8;
constexpr int kBuildSecondField = 9;
constexpr int kByteOrderField = 10;
constexpr int kSpeedsField = 11;
constexpr int kFixedAddressField = 13;
constexpr int kProtocolMajorField = 14;
constexpr int kProtocolMinorField = 15;
constexpr int kProtocolBuildField = 16;

struct DatePart {
  int field;
  int min;
  int max;
};

// "%02d", or "**" when the byte cannot be that part of a date.
std::string datePart(IdentificationBytes bytes, DatePart part) {
  const int value = bytes[part.field];
  return value >= part.min && value <= part.max ? format("%02d", value) : "**";
}

std::string buildDate(IdentificationBytes bytes) {
  return format("%s.%s.%s  %s:%s:%s", datePart(bytes, {kBuildDayField, 1, 31}).c_str(),
                datePart(bytes, {kBuildMonthField, 1, 12}).c_str(),
                datePart(bytes, {kBuildYearField, 0, 99}).c_str(),
                datePart(bytes, {kBuildHourField, 0, 23}).c_str(),
                datePart(bytes, {kBuildMinuteField, 0, 59}).c_str(),
                datePart(bytes, {kBuildSecondField, 0, 59}).c_str());
}

std::string byteOrder(int value) {
  if (value == 0) return "Мл. адрес - ст. байт";
  if (value == 1) return "Мл. адрес - мл. байт";
  return " ? ";
}

std::string destroyedTable(int table) {
  return table == 0 ? "Разрушенных таблиц нет" : format("Разрушена таблица %d", table);
}

std::string fixedAddress(int address) {
  return address == 0 ? "Есть" : format("Нет. Адрес = %d", address);
}

}  // namespace

std::vector<IdentificationLine> identificationView(IdentificationBytes bytes, bool complete) {
  std::vector<IdentificationLine> lines = {
      {"Код типа контроллера", format("%d", bytes[kTypeField])},
      {"Версия программного обеспечения", format("%d", bytes[kSoftwareVersionField])},
  };
  const int destroyed = bytes[kDestroyedTableField];
  std::vector<IdentificationLine> details = {
      {"Версия аппаратного обеспечения", format("%d", bytes[kHardwareVersionField])},
      {"Дата создания ПО", buildDate(bytes)},
      {"Порядок расположения байтов", byteOrder(bytes[kByteOrderField])},
      {"Наличие разрушенных таблиц", destroyedTable(destroyed), true, destroyed != 0},
      {"Возможность работы на разных\nскоростях обмена", bytes[kSpeedsField] == 0 ? "Нет" : "Есть"},
      {"Возможность изменения адреса\nконтроллера", fixedAddress(bytes[kFixedAddressField])},
      {"Последняя поддерживаемая версия протокола",
       format("%d.%d.%d", bytes[kProtocolMajorField], bytes[kProtocolMinorField],
              bytes[kProtocolBuildField])},
  };
  for (IdentificationLine& line : details) {
    if (!complete) line = {line.label, "", false, false};
    lines.push_back(std::move(line));
  }
  return lines;
}

}  // namespace zvc
