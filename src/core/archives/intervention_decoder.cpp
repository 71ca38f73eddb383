#include "core/archives/intervention_decoder.h"

#include <algorithm>
#include <string_view>

#include "core/archives/archive_records.h"
#include "core/archives/measured_parameter.h"
#include "core/common/baud_rates.h"
#include "core/common/float_format.h"
#include "core/common/format.h"
#include "core/common/text_codec.h"
#include "core/tables/text_catalogue.h"

namespace zvc {
namespace {

using C = TextCatalogue;

constexpr std::size_t kOldValueAt = 10;
constexpr std::size_t kNewValueAt = 14;
constexpr std::size_t kOperatorAt = 18;
constexpr std::size_t kValueSize = 4;
constexpr int kLastUnitCode = 36;
constexpr int kLastField = 255;
constexpr int kDecimalsOfParameter = -1;

// How a changed value reads.
enum class ValueKind {
  kNone,
  kNumber,
  kTwoDigits,
  kBaud,
  kList,
  kWeekday,
  kTimeType,
  kPresence,
  kYesNo,
  kHexA,
  kHexB,
  kHours,
  kNameStart,
  kDayRule,
  kFloat,
};

struct ValueRule {
  ValueKind kind = ValueKind::kNone;
  int listBase = 0;
  int listLength = 0;  // codes below it have a text, the others show "?"
  int decimals = 0;
};

constexpr ValueRule list(int base, int length) {
  return {ValueKind::kList, base, length, 0};
}
constexpr ValueRule floatWith(int decimals) {
  return {ValueKind::kFloat, 0, 0, decimals};
}

constexpr ValueRule kNone{ValueKind::kNone};
constexpr ValueRule kNumber{ValueKind::kNumber};
constexpr ValueRule kTwoDigits{ValueKind::kTwoDigits};
constexpr ValueRule kBaud{ValueKind::kBaud};
constexpr ValueRule kWeekday{ValueKind::kWeekday};
constexpr ValueRule kTimeType{ValueKind::kTimeType};
constexpr ValueRule kPresence{ValueKind::kPresence};
constexpr ValueRule kYesNo{ValueKind::kYesNo};
constexpr ValueRule kHexA{ValueKind::kHexA};
constexpr ValueRule kHexB{ValueKind::kHexB};
constexpr ValueRule kHours{ValueKind::kHours};
constexpr ValueRule kNameStart{ValueKind::kNameStart};
constexpr ValueRule kDayRule{ValueKind::kDayRule};
constexpr ValueRule kParameterFloat = floatWith(kDecimalsOfParameter);

// What the placeholder of a field's name stands for.
enum class NameArgument {
  kNone,
  kFieldNumber,       // %d: the field numbered from 1
  kParameterName,     // %s: the name of the measured parameter with the field's index
  kTableAndField,     // %d, %d: table and field as logged
  kUnknownParameter,  // %s: a field beyond the measured parameters
};

struct FieldRule {
  int table;
  int firstField;
  int lastField;
  const char* name;
  NameArgument argument;
  ValueRule value;
};

using A = NameArgument;

// clang-format off
constexpr FieldRule kFieldRules[] = {
    {1, 0, 19, " Описание параметра хроматографа N%d", A::kFieldNumber, kNone},
    {1, 20, kLastField, " Табл. %d;  Поле %d", A::kTableAndField, kNone},
    {2, 0, 0, "Время, год", A::kNone, kTwoDigits},
    {2, 1, 1, "Время, месяц", A::kNone, kTwoDigits},
    {2, 2, 2, "Время, день", A::kNone, kTwoDigits},
    {2, 3, 3, "Время, час", A::kNone, kTwoDigits},
    {2, 4, 4, "Время, минута", A::kNone, kTwoDigits},
    {2, 5, 5, "Время, секунда", A::kNone, kTwoDigits},
    {2, 6, 6, "Время, день недели", A::kNone, kWeekday},
    {2, 7, 7, "Тип времени", A::kNone, kTimeType},
    {3, 0, 0, "Адрес контроллера", A::kNone, kNumber},
    {3, 1, 1, "Скорость обмена с ВУ", A::kNone, kBaud},
    {3, 2, 2, "Кол. преамбул при ответе ВУ", A::kNone, kNumber},
    {3, 3, 3, "Табл.%d.  Резервное поле № %d", A::kTableAndField, kNone},
    {4, 0, kLastField, "Параметры доступа пользователя", A::kNone, kNone},
    {5, 0, 0, "Наименование контроллера", A::kNone, kNameStart},
    {5, 1, 1, "Наимен. нитки 1 хроматографа", A::kNone, kNameStart},
    {5, 2, 2, "Наимен. нитки 2 хроматографа", A::kNone, kNameStart},
    {6, 0, 0, "Месяц перехода на летнее время", A::kNone, list(C::kMonthsNominative, 13)},
    {6, 1, 1, "День перехода на летнее время", A::kNone, kDayRule},
    {6, 2, 2, "Час перехода на летнее время", A::kNone, kNumber},
    {6, 3, 3, "Месяц перехода на зимнее время", A::kNone, list(C::kMonthsNominative, 13)},
    {6, 4, 4, "День перехода на зимнее время", A::kNone, kDayRule},
    {6, 5, 5, "Час перехода на зимнее время", A::kNone, kNumber},
    {6, 6, 6, "Контрактный час", A::kNone, kNumber},
    {6, 7, 7, "Наличие подключенного хроматографа", A::kNone, kPresence},
    {6, 8, 8, "Наличие подключенного влагомера", A::kNone, kPresence},
    {6, 9, 9, "Наличие подключенных ВРГ", A::kNone, kPresence},
    {6, 10, 10, "Синхронизировать время контр. с ВРГ", A::kNone, kYesNo},
    {6, 11, 11, "Синхронизировать время контр. с PC", A::kNone, kYesNo},
    {9, 0, 0, "Количество подключенных ВРГ", A::kNone, kNumber},
    {9, 1, 1, "Скорость обмена c ВРГ", A::kNone, kBaud},
    {9, 2, 2, "Количество неудачных опросов ВРГ", A::kNone, kNumber},
    {9, 3, 3, "Таймаут ожидания ответа от ВРГ", A::kNone, kNumber},
    {9, 4, 4, "Кол. преамбул  в запросе к вычислителю РГ", A::kNone, kNumber},
    {9, 5, 5, "Режим записи параметров газа в ВРГ", A::kNone, list(C::kGasParameterWriteModes, 4)},
    {13, 0, 15, "Пароль на запись в ВРГ %d", A::kFieldNumber, kNone},
    {13, 16, kLastField, "Пароль на запись в ВРГ № ?", A::kNone, kNone},
    {14, 0, 0, "Адрес хроматографа", A::kNone, kNumber},
    {14, 1, 1, "Скорость обмена c хроматографом", A::kNone, kBaud},
    {14, 2, 2, "Режим обмена MODBUS с хроматографом", A::kNone, list(C::kModbusModes, 2)},
    {14, 3, 3, "Тип четности хроматографа", A::kNone, list(C::kParities, 3)},
    {14, 4, 4, "Таймаут ожидания ответа от хроматографа", A::kNone, kNumber},
    {14, 5, 5, "Кол. неудачных опросов хроматографа", A::kNone, kNumber},
    {14, 6, 6, "Тип хроматографа", A::kNone, list(C::kChromatographModels, 9)},
    {14, 7, 7, "Задейств. признаки  хроматографа", A::kNone, kHexA},
    {14, 8, 8, "Синхронизировать время хром. с ВРГ", A::kNone, kYesNo},
    {14, 9, 9, "Синхронизировать время хром. с PC", A::kNone, kYesNo},
    {14, 10, 10, "Индекс ВРГ для чтения Тг в нитку 1 хром.", A::kNone, kNumber},
    {14, 11, 11, "Номер нитки ВРГ для чтения Тг в нитку 1 хром.", A::kNone, kNumber},
    {14, 12, 12, "Индекс ВРГ для чтения Тг в нитку 2 хром.", A::kNone, kNumber},
    {14, 13, 13, "Номер нитки ВРГ для чтения Тг в нитку 2 хром.", A::kNone, kNumber},
    {14, 14, 14, "Кол. параметров хроматографа для чтения", A::kNone, kNumber},
    {15, 0, 0, "Адрес влагомера", A::kNone, kNumber},
    {15, 1, 1, "Скорость обмена c влагомером", A::kNone, kBaud},
    {15, 2, 2, "Режим обмена MODBUS с влагомером", A::kNone, list(C::kModbusModes, 2)},
    {15, 3, 3, "Тип четности влагомера", A::kNone, list(C::kParities, 3)},
    {15, 4, 4, "Таймаут ожидания ответа от влагомера", A::kNone, kNumber},
    {15, 5, 5, "Кол. неудачных опросов влагомера", A::kNone, kNumber},
    {15, 6, 6, "Тип влагомера", A::kNone, list(C::kMoistureMeterModels, 3)},
    {15, 7, 7, "Табл.%d.  Резервное поле № %d", A::kTableAndField, kNone},
    {17, 0, 15, "Тип ВРГ %d", A::kFieldNumber, list(C::kFlowComputerTypes, 4)},
    {17, 16, kLastField, "Тип ВРГ  № ?", A::kNone, list(C::kFlowComputerTypes, 4)},
    {18, 0, 15, "Адрес подключенного ВРГ %d", A::kFieldNumber, kNumber},
    {18, 16, kLastField, "Адрес подключенного ВРГ № ?", A::kNone, kNumber},
    {19, 0, 15, "Необходимость записи парам. газа для т/п ВРГ %d", A::kFieldNumber, kHexB},
    {19, 16, kLastField, "Необходимость записи парам. газа для т/п ВРГ ?", A::kNone, kHexB},
    {20, 0, 15, "Порядок байтов многоб. перем. ВРГ %d", A::kFieldNumber, list(C::kByteOrders, 2)},
    {20, 16, kLastField, "Порядок байтов многоб. перем. ВРГ № ?", A::kNone, list(C::kByteOrders, 2)},
    {21, 0, 19, "НР  \"%s\"", A::kParameterName, list(C::kAverageDistributions, 3)},
    {21, 20, kLastField, "НР  %s", A::kUnknownParameter, list(C::kAverageDistributions, 3)},
    {22, 0, 19, "ЗН  \"%s\"", A::kParameterName, kParameterFloat},
    {22, 20, kLastField, "ЗН  %s", A::kUnknownParameter, floatWith(4)},
    {23, 0, 19, "НПУ  \"%s\"", A::kParameterName, kParameterFloat},
    {23, 20, kLastField, "НПУ  %s", A::kUnknownParameter, floatWith(4)},
    {24, 0, 19, "ВПУ  \"%s\"", A::kParameterName, kParameterFloat},
    {24, 20, kLastField, "ВПУ  %s", A::kUnknownParameter, floatWith(4)},
    {25, 0, 19, "НДП  \"%s\"", A::kParameterName, kParameterFloat},
    {25, 20, kLastField, "НДП  %s", A::kUnknownParameter, floatWith(4)},
    {26, 0, 19, "ВДП  \"%s\"", A::kParameterName, kParameterFloat},
    {26, 20, kLastField, "ВДП  %s", A::kUnknownParameter, floatWith(4)},
    {28, 0, 0, "Период рассылки параметров газа в ВРГ", A::kNone, kHours},
    {28, 1, 1, "Табл.%d.  Резервное поле № %d", A::kTableAndField, kNone},
    {43, 0, 19, "На константе. Нитка 1. \"%s\"", A::kParameterName, list(C::kYesNo, 2)},
    {44, 0, 19, "Константа. Нитка 1. \"%s\"", A::kParameterName, floatWith(4)},
    {45, 0, 19, "На константе. Нитка 2. \"%s\"", A::kParameterName, list(C::kYesNo, 2)},
    {46, 0, 19, "Константа. Нитка 2. \"%s\"", A::kParameterName, floatWith(4)},
};
// clang-format on

// Every table and field without a rule of its own.
constexpr FieldRule kUnlistedField = {0,    0, kLastField, "Табл. %d;  Поле %d", A::kTableAndField,
                                      kNone};

const FieldRule& ruleFor(int table, int field) {
  const auto found =
      std::find_if(std::begin(kFieldRules), std::end(kFieldRules), [&](const FieldRule& rule) {
        return rule.table == table && field >= rule.firstField && field <= rule.lastField;
      });
  return found == std::end(kFieldRules) ? kUnlistedField : *found;
}

std::string fieldName(const FieldRule& rule, int table, int field, const ConfigImage& image) {
  switch (rule.argument) {
    case A::kFieldNumber:
      return format(rule.name, field + 1);
    case A::kParameterName:
      return format(rule.name, measuredParameterName(image, field).c_str());
    case A::kTableAndField:
      return format(rule.name, table, field);
    case A::kUnknownParameter:
      return format(rule.name, " ?");
    case A::kNone:
      break;
  }
  return rule.name;
}

// Bytes up to the first NUL, Windows-1251, as UTF-8.
std::string textUpToNul(const std::uint8_t* bytes, std::size_t size) {
  const std::uint8_t* end = std::find(bytes, bytes + size, 0);
  return cp1251ToUtf8(std::string_view(reinterpret_cast<const char*>(bytes), end - bytes));
}

// The first four characters of a controller name. Names travel in CP866 when table 0 field 12
// is 0; the conversion works on a copy so that the record stays as logged.
std::string nameStart(const std::uint8_t* value, const ConfigImage& image) {
  std::array<std::uint8_t, kValueSize> name;
  std::copy_n(value, kValueSize, name.begin());
  const auto characterSet = image.field(0, 12);
  if (!characterSet.empty() && characterSet[0] == 0) decodeCp866(name.data(), name.size());
  const bool complete = std::find(name.begin(), name.end(), 0) != name.end();
  const std::string text = textUpToNul(name.data(), name.size());
  return complete ? text : text + "...";
}

// Day of a daylight-saving change: a day of the month, or the n-th (or n-th last) weekday.
std::string dayRule(int b) {
  if ((b & 0x80) == 0) return format("%d", b & 0x1F);
  const bool countedFromEnd = (b & 0x40) != 0;
  const int weekday = (b >> 3) & 0x07;
  const int ordinal = b & 0x07;
  if (ordinal < 1 || ordinal > 3 || weekday < 1) return "?";
  static constexpr const char* kFromStart[] = {"1", "2", "3"};
  static constexpr const char* kFromEnd[] = {"п", "пп", ""};
  const char* prefix = countedFromEnd ? kFromEnd[ordinal - 1] : kFromStart[ordinal - 1];
  return prefix + std::string(C::text(C::kShortWeekdays, weekday - 1));
}

std::string codeText(int base, int code, int length) {
  return code < length ? std::string(C::text(base, code)) : "?";
}

std::string valueText(const ValueRule& rule, const std::uint8_t* value, int field,
                      const ConfigImage& image) {
  const int b = value[0];
  switch (rule.kind) {
    case ValueKind::kNone:
      return {};
    case ValueKind::kNumber:
      return format("%d", b);
    case ValueKind::kTwoDigits:
      return format("  %02d", b);
    case ValueKind::kBaud:
      return format("%d", baudRateOfCode(b));
    case ValueKind::kList:
      return codeText(rule.listBase, b, rule.listLength);
    case ValueKind::kWeekday:
      return b >= 1 ? codeText(C::kWeekdays, b - 1, 7) : "?";
    case ValueKind::kTimeType:
      return codeText(C::kTimeTypes, b, 2);
    case ValueKind::kPresence:
      return b != 0 ? "Есть" : "Нет";
    case ValueKind::kYesNo:
      return b != 0 ? "Да" : "Нет";
    case ValueKind::kHexA:
      return format("0x %02X", b);
    case ValueKind::kHexB:
      return format(" 0x%02X", b);
    case ValueKind::kHours:
      return format("%dч", b);
    case ValueKind::kNameStart:
      return nameStart(value, image);
    case ValueKind::kDayRule:
      return dayRule(b);
    case ValueKind::kFloat: {
      const int decimals = rule.decimals == kDecimalsOfParameter
                               ? measuredParameterDecimals(image, field)
                               : rule.decimals;
      return formatFixed(floatFromBytes(value), decimals).value_or("?");
    }
  }
  return {};
}

std::string unitText(int code) {
  return code <= kLastUnitCode ? std::string(C::text(C::kUnitsA, code)) : "?";
}

}  // namespace

InterventionRow decodeInterventionRecord(std::span<const std::uint8_t> record,
                                         const ConfigImage& image) {
  InterventionRow row;
  row.sound = record.size() == kInterventionRecordSize && recordIsSound(record);
  if (!row.sound) {
    row.columns[InterventionRow::kDate] = "   ***";
    return row;
  }
  // Shown as logged, even when the controller logged an impossible date.
  row.columns[InterventionRow::kDate] =
      format("    %02d.%02d.%02d", record[2], record[1], record[0]);
  row.columns[InterventionRow::kTime] =
      format("    %02d:%02d:%02d", record[3], record[4], record[5]);
  row.columns[InterventionRow::kOperator] = textUpToNul(&record[kOperatorAt], kValueSize);
  row.columns[InterventionRow::kUnit] = unitText(record[9]);

  const int table = record[7];
  const int field = record[8];
  const FieldRule& rule = ruleFor(table, field);
  row.columns[InterventionRow::kFieldName] = fieldName(rule, table, field, image);
  row.columns[InterventionRow::kOldValue] =
      valueText(rule.value, &record[kOldValueAt], field, image);
  row.columns[InterventionRow::kNewValue] =
      valueText(rule.value, &record[kNewValueAt], field, image);
  if (rule.value.kind == ValueKind::kBaud) row.columns[InterventionRow::kUnit] = "бит/с";
  return row;
}

}  // namespace zvc
