#include "core/archives/diagnostic_decoder.h"

#include "core/archives/archive_records.h"
#include "core/archives/measured_parameter.h"
#include "core/common/float_format.h"
#include "core/common/format.h"
#include "core/tables/text_catalogue.h"

namespace zvc {
namespace {

using C = TextCatalogue;

constexpr int kLastEventWithText = 81;
constexpr int kLastArchiveName = 9;
constexpr int kChromatographLinkTable = 33;
constexpr int kFlowComputerLinkTable = 34;
constexpr int kChromatographErrorTable = 14;
constexpr int kLastChromatographState = 198;
constexpr int kChromatographSource = 200;
constexpr int kMoistureMeterSource = 201;
constexpr int kFirstYearAndTimeKind = 242;
constexpr int kLastYearAndTimeKind = 244;
constexpr int kLastMoistureMeterBit = 15;
constexpr int kLastMoistureMeterState = 7;

std::uint32_t u32At(const std::uint8_t* bytes) {
  return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

// The parts of a record whose meaning depends on the event code.
struct Event {
  explicit Event(std::span<const std::uint8_t> record)
      : code(record[6]),
        b8(record[8]),
        b9(record[9]),
        b10(record[10]),
        firstValue(&record[10]),
        secondValue(&record[14]) {}

  int code;
  int b8;
  int b9;
  int b10;
  const std::uint8_t* firstValue;
  const std::uint8_t* secondValue;
};

std::string listText(int base, int code) {
  return std::string(C::text(base, code));
}

std::string tableAndIndex(const Event& event) {
  return format("Табл. = %d  Инд. = %d", event.b8, event.b9);
}

std::string eventText(int code) {
  if (code <= kLastEventWithText) return listText(C::kEvents, code);
  return format("Код диагностики = %d", code);
}

std::string reinitialisedArchive(const Event& event) {
  return event.b8 <= kLastArchiveName ? listText(C::kArchiveNames, event.b8) : " ?";
}

std::string chromatographFault(const Event& event) {
  if (event.b8 != kChromatographErrorTable) return " ?";
  if (event.b10 >= 1 && event.b10 <= kLastChromatographState) {
    return listText(C::kChromatographStates, event.b10);
  }
  return format("Код ошибки = %d", event.b10);
}

std::string linkPartner(const Event& event) {
  if (event.b8 == kChromatographLinkTable && event.b9 == 0) return "Хроматограф";
  if (event.b8 == kChromatographLinkTable && event.b9 == 1) return "Влагомер";
  if (event.b8 == kFlowComputerLinkTable) {
    return format("Вычислитель расхода газа (Адр. = %d)", event.b9);
  }
  return format("Тaбл. = %d", event.b8);
}

std::string moistureMeterState(const Event& event, int model) {
  switch (model) {
    case 0:
      if (event.b9 <= kLastMoistureMeterBit) return listText(C::kMoistureMeterBits, event.b9);
      return format("??? (ZEGAZ 5000. Табл. = %d  Инд. = %d)", event.b8, event.b9);
    case 1:
      return format("??? ( ФОГ-3Г. Табл. = %d  Инд. = %d)", event.b8, event.b9);
    case 2:
      if (event.b9 <= kLastMoistureMeterState) return listText(C::kMoistureMeterStates, event.b9);
      return format("??? (TOROS. Табл. = %d  Инд. = %d)", event.b8, event.b9);
    default:
      return format("??? (Код влаг. %d. Табл. = %d  Инд. = %d)", model, event.b8, event.b9);
  }
}

// Events 22 and 23: a state flag of the chromatograph, the moisture meter or a table became
// true or false.
void describeStateChange(const Event& event, int moistureMeterModel, DiagnosticRow& row) {
  std::string& object = row.columns[DiagnosticRow::kObject];
  if (event.b8 == kChromatographSource) {
    object = event.b9 <= kLastChromatographState ? listText(C::kChromatographStates, event.b9)
                                                 : tableAndIndex(event);
    row.columns[DiagnosticRow::kCurrentValue] = format("Err %u", u32At(event.firstValue));
  } else if (event.b8 == kMoistureMeterSource) {
    object = moistureMeterState(event, moistureMeterModel);
  } else {
    object = tableAndIndex(event);
  }
}

bool isLimitCrossing(int code) {
  return (code >= 12 && code <= 17) || (code >= 44 && code <= 47) || (code >= 60 && code <= 68);
}

// A measured parameter crossed a limit: which one, its value, the limit and the unit.
void describeLimitCrossing(const Event& event, const ConfigImage& image, DiagnosticRow& row) {
  row.columns[DiagnosticRow::kCurrentValue] = formatFloatValue(event.firstValue);
  row.columns[DiagnosticRow::kSetpointValue] = formatFloatValue(event.secondValue);
  if (event.b9 >= kMeasuredParameterCount) {
    row.columns[DiagnosticRow::kObject] = "  ?";
    return;
  }
  row.columns[DiagnosticRow::kObject] = measuredParameterName(image, event.b9);
  const int unitCode = measuredParameterUnitCode(image, event.b9);
  // A unit code without an entry of its own is shown as unknown rather than as no unit.
  const bool knownUnit = unitCode < C::listLength(C::kUnitsB);
  row.columns[DiagnosticRow::kUnit] = knownUnit ? listText(C::kUnitsB, unitCode) : "?";
}

std::string storageObject(const Event& event) {
  if (event.b8 >= kFirstYearAndTimeKind && event.b8 <= kLastYearAndTimeKind) {
    return listText(C::kYearAndTimeKinds, event.b8 - kFirstYearAndTimeKind);
  }
  return format("Таблица %d", event.b8);
}

void describeEvent(const Event& event, int moistureMeterModel, const ConfigImage& image,
                   DiagnosticRow& row) {
  std::string& object = row.columns[DiagnosticRow::kObject];
  switch (event.code) {
    case 2:
    case 3:
    case 6:
    case 7:
    case 8:
    case 9:
    case 81:
      return;
    case 4:
      object = reinitialisedArchive(event);
      return;
    case 5:
      object = chromatographFault(event);
      return;
    case 10:
    case 11:
      object = linkPartner(event);
      return;
    case 22:
    case 23:
      describeStateChange(event, moistureMeterModel, row);
      return;
    case 38:
      object = "По времени вычислителя";
      return;
    case 39:
      object = "По времени PC";
      return;
    case 40:
    case 41:
      object = storageObject(event);
      return;
    case 42:
    case 43:
      object = format("Таблица %d", event.b8);
      return;
    case 48:
    case 49:
      object = format("Вычислитель расхода газа. (Адр. = %d)", event.b9);
      return;
    case 59:
      object = format("Старое значение КС = %08X", u32At(event.firstValue));
      row.columns[DiagnosticRow::kCurrentValue] = format("%08X", u32At(event.secondValue));
      return;
  }
  if (isLimitCrossing(event.code)) {
    describeLimitCrossing(event, image, row);
  } else {
    object = tableAndIndex(event);
  }
}

}  // namespace

DiagnosticRow decodeDiagnosticRecord(std::span<const std::uint8_t> record, int moistureMeterModel,
                                     const ConfigImage& image) {
  DiagnosticRow row;
  row.sound = record.size() == kDiagnosticRecordSize && recordIsSound(record);
  if (!row.sound) {
    row.columns[DiagnosticRow::kDate] = "   ***";
    return row;
  }
  // Shown as logged, even when the controller logged an impossible date.
  row.columns[DiagnosticRow::kDate] = format("  %02d.%02d.%02d", record[2], record[1], record[0]);
  row.columns[DiagnosticRow::kTime] = format("  %02d:%02d:%02d", record[3], record[4], record[5]);
  const Event event(record);
  row.columns[DiagnosticRow::kEvent] = eventText(event.code);
  describeEvent(event, moistureMeterModel, image, row);
  return row;
}

}  // namespace zvc
