#include "core/archives/moisture_archives.h"

#include "core/common/float_format.h"
#include "core/common/format.h"

namespace zvc {
namespace {

// The model whose third value is the pressure alone.
constexpr std::uint8_t kPressureMeterModel = 2;
// Bit 7 of a daily record's end hour: the day was recorded whole; the hour is the low bits.
constexpr std::uint8_t kEndHourFlag = 0x80;

constexpr std::array<std::string_view, 4> kValueHeadings[kMoistureValueCount] = {
    {"Т т.росы", "WDP", "при Рраб.", "°С"},
    {"Т т.росы", "HDP", "при Рраб.", "°С"},
    {"Р изб.", "WDP", "", "bar"},
    {"Прив. Т т.росы", "по воде", "к Р абс.", "°С"},
};
constexpr std::array<std::string_view, 4> kPressureHeading = {"Давление", " ", " ", "bar"};

using Row = std::array<std::string, MoistureTable::kColumns>;
using ShownRow = std::vector<std::optional<ShownValue>>;
constexpr int kFirstValueColumn = 4;

// "  " and the value by the moisture display rule, which shows a value that is not a number as
// "NAN"; only a number is shown as one.
std::string valueCell(float value, std::optional<ShownValue>& shown) {
  if (!isNotANumber(value)) shown = ShownValue{value, ' '};
  return "  " + formatMoistureValue(value);
}

void fillValues(Row& row, std::string_view text) {
  for (int i = 0; i < kMoistureValueCount; ++i) row[kFirstValueColumn + i] = text;
}

bool markUnsound(Row& row, std::span<const std::uint8_t> record) {
  if (recordIsSound(record)) return false;
  row[0] = "     Данные";
  row[1] = " недостов.";
  return true;
}

std::string statusText(std::uint8_t status) {
  return status == 0 ? "  Норма" : format("  0x%02X", status);
}

Row measurementRow(const WmtMeasRecord& record, ShownRow& shown) {
  Row row;
  if (markUnsound(row, record.bytes)) return row;
  const DateTime6 t = record.time();
  row[0] = format("  %02d.%02d.%02d", t.day, t.month, t.year);
  row[1] = format("  %02d:%02d:%02d", t.hour, t.minute, t.second);
  const std::uint8_t status = record.status();
  row[2] = statusText(status);
  if ((status & (kMeterOff | kNoMeterLink)) == 0) {
    const auto& b = record.bytes;
    const std::size_t at = WmtMeasRecord::kStateAt;
    row[3] = record.stateCode() == 0 ? "  Норма" : format("  0x%02X%02X", b[at + 1], b[at]);
  }
  if (status & kMeterOff) {
    fillValues(row, "  Выкл.");
  } else if (status & kNoMeterLink) {
    row[3] = " Нет связи";
    fillValues(row, "       0");
  } else {
    for (int i = 0; i < kMoistureValueCount; ++i) {
      row[kFirstValueColumn + i] = valueCell(record.value(i), shown[i]);
    }
  }
  return row;
}

std::string timeText(std::span<const std::uint8_t> bytes, std::size_t at) {
  return format("   %02d:%02d:%02d", bytes[at], bytes[at + 1], bytes[at + 2]);
}

std::string endTimeText(std::span<const std::uint8_t> bytes, bool daily) {
  const std::size_t at = WmtHourDayRecord::kEndTimeAt;
  if (!daily) return timeText(bytes, at);
  const std::uint8_t hour = bytes[at];
  const char* shape = (hour & kEndHourFlag) ? "   %02d:%02d:%02d" : "   %02d:%02d:%02d*";
  return format(shape, hour & ~kEndHourFlag & 0xFF, bytes[at + 1], bytes[at + 2]);
}

Row hourDayRow(const WmtHourDayRecord& record, bool daily, ShownRow& shown) {
  Row row;
  if (markUnsound(row, record.bytes)) return row;
  const Date3 d = record.date();
  row[0] = format("  %02d.%02d.%02d", d.day, d.month, d.year);
  row[1] = timeText(record.bytes, WmtHourDayRecord::kStartTimeAt);
  row[2] = endTimeText(record.bytes, daily);
  const std::uint8_t status = record.status();
  row[3] = statusText(status);
  if (status & kMeterOff) {
    fillValues(row, "  Выкл.");
  } else if (status & kNoMeterLink) {
    fillValues(row, "       0");
  } else {
    for (int i = 0; i < kMoistureValueCount; ++i) {
      row[kFirstValueColumn + i] = valueCell(record.value(i), shown[i]);
    }
  }
  return row;
}

std::string periodText(const DateTime6& t) {
  return format("%02d.%02d.%02d %02d:%02d:%02d", t.day, t.month, t.year, t.hour, t.minute,
                t.second);
}

std::string captionOf(MoistureArchive archive, const ArchiveFileHeader& header) {
  const auto s = header.periodStartBytes();
  const auto e = header.periodEndBytes();
  switch (archive) {
    case MoistureArchive::kMeasurement:
      return format("Мгновенные данные влагомера за период  с  %s  по  %s",
                    periodText(header.periodStart()).c_str(),
                    periodText(header.periodEnd()).c_str());
    case MoistureArchive::kHourly:
      return format(
          "Часовые данные влагомера за период с %02d.%02d.%02d  %02dч  по  %02d.%02d.%02d  %02dч",
          s[2], s[1], s[0], s[3], e[2], e[1], e[0], e[3]);
    case MoistureArchive::kDaily:
      break;
  }
  return format("Суточные данные влагомера за период с %02d.%02d.%02d  по  %02d.%02d.%02d", s[2],
                s[1], s[0], e[2], e[1], e[0]);
}

// The time a row stands for: the measurement, or the start of the hour or day.
std::optional<DateTime6> recordTime(MoistureArchive archive, std::span<const std::uint8_t> record) {
  if (!recordIsSound(record)) return std::nullopt;
  if (archive == MoistureArchive::kMeasurement) return WmtMeasRecord{record}.time();
  const Date3 d = WmtHourDayRecord{record}.date();
  const std::size_t s = WmtHourDayRecord::kStartTimeAt;
  return DateTime6{d.year, d.month, d.day, record[s], record[s + 1], record[s + 2]};
}

// The captions of the columns before the values, top-aligned in the four lines.
void setFixedCaptions(MoistureTable& table) {
  using Lines = std::array<std::string_view, MoistureTable::kCaptionLines>;
  const std::array<Lines, kFirstValueColumn> measurement = {{
      {"Дата"},
      {"Время"},
      {"Статус", "контроллера"},
      {" Признаки ", "состояния", "влагомера"},
  }};
  const std::array<Lines, kFirstValueColumn> hourDay = {{
      {"Дата", "начала"},
      {"Время", "начала"},
      {"Время", "конца"},
      {"Статус", "контроллера"},
  }};
  const auto& fixed = table.archive == MoistureArchive::kMeasurement ? measurement : hourDay;
  for (int column = 0; column < kFirstValueColumn; ++column) {
    for (int line = 0; line < MoistureTable::kCaptionLines; ++line) {
      table.columnCaptions[line][column] = fixed[column][line];
    }
  }
}

}  // namespace

std::uint16_t WmtMeasRecord::stateCode() const {
  return static_cast<std::uint16_t>(bytes[kStateAt] | bytes[kStateAt + 1] << 8);
}

float WmtMeasRecord::value(int index) const {
  return floatFromBytes(&bytes[kValuesAt + 4 * static_cast<std::size_t>(index)]);
}

float WmtHourDayRecord::value(int index) const {
  return floatFromBytes(&bytes[kValuesAt + 4 * static_cast<std::size_t>(index)]);
}

std::size_t moistureRecordSize(MoistureArchive archive) {
  return archive == MoistureArchive::kMeasurement ? WmtMeasRecord::kSize : WmtHourDayRecord::kSize;
}

std::array<std::string_view, 4> moistureValueHeading(int index, std::uint8_t meterModel) {
  if (index == 2 && meterModel == kPressureMeterModel) return kPressureHeading;
  return kValueHeadings[index];
}

MoistureTable buildMoistureTable(MoistureArchive archive, const ArchiveFileHeader& header,
                                 const ArchiveRecords& records) {
  MoistureTable table;
  table.archive = archive;
  table.caption = captionOf(archive, header);
  setFixedCaptions(table);
  for (int i = 0; i < kMoistureValueCount; ++i) {
    const auto lines = moistureValueHeading(i, header.moistureMeterModel());
    for (int line = 0; line < MoistureTable::kCaptionLines; ++line) {
      table.columnCaptions[line][kFirstValueColumn + i] = lines[line];
    }
  }
  const std::size_t size = moistureRecordSize(archive);
  const bool daily = archive == MoistureArchive::kDaily;
  for (std::size_t i = 0; i < records.count(); ++i) {
    if (records[i].size() < size) continue;
    ShownRow& shown = table.shownValues.emplace_back(kMoistureValueCount);
    table.rowTimes.push_back(recordTime(archive, records[i]));
    table.rows.push_back(archive == MoistureArchive::kMeasurement
                             ? measurementRow(WmtMeasRecord{records[i]}, shown)
                             : hourDayRow(WmtHourDayRecord{records[i]}, daily, shown));
  }
  return table;
}

}  // namespace zvc
