#include "core/archives/chrom_archives.h"

#include <cstring>

#include "core/common/float_format.h"
#include "core/common/format.h"
#include "core/common/text_codec.h"
#include "core/tables/text_catalogue.h"

namespace zvc {
namespace {

constexpr std::uint8_t kZoneBits = 0x03;
constexpr std::uint8_t kAlarmZone = 0x02;
constexpr std::uint8_t kWarningZone = 0x01;

// Measurement status bits that replace every value of the row.
constexpr std::uint8_t kControllerWasOff = 0x02;
constexpr std::uint8_t kNoChromatographLink = 0x20;
constexpr std::uint8_t kMeasBit7 = 0x80;

std::uint16_t readU16(std::span<const std::uint8_t> bytes, std::size_t at) {
  return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

float floatAt(std::span<const std::uint8_t> bytes, std::size_t at, bool clearZoneBits) {
  std::uint8_t raw[4];
  std::memcpy(raw, &bytes[at], 4);
  if (clearZoneBits) raw[0] &= static_cast<std::uint8_t>(~kZoneBits);
  return floatFromBytes(raw);
}

std::size_t characterCount(const std::string& utf8) {
  std::size_t count = 0;
  for (const char c : utf8) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
  }
  return count;
}

std::string periodText(const DateTime6& time) {
  return format("%02d.%02d.%02d %02d:%02d:%02d", time.day, time.month, time.year, time.hour,
                time.minute, time.second);
}

using ShownRow = std::vector<std::optional<ShownValue>>;

// Per parameter the average of the values shown as numbers, 0 where there is none.
std::vector<float> averagesOf(const std::vector<ShownRow>& rows, int parameters) {
  std::vector<float> averages(static_cast<std::size_t>(parameters), 0.0F);
  for (std::size_t p = 0; p < averages.size(); ++p) {
    double sum = 0;
    int count = 0;
    for (const ShownRow& row : rows) {
      if (!row[p]) continue;
      sum += row[p]->value;
      ++count;
    }
    if (count > 0) averages[p] = static_cast<float>(sum / count);
  }
  return averages;
}

// " %s %c": the value with the parameter's decimals and its mark; "  NAN" when not a number.
std::string valueText(float value, int decimals, char mark, std::optional<ShownValue>& shown) {
  if (isNotANumber(value)) return "  NAN";
  const auto fixed = formatFixed(value, decimals);
  if (!fixed) return "  NAN";
  shown = ShownValue{value, mark};
  return format(" %s %c", fixed->c_str(), mark);
}

std::string trimmedRunName(const ArchiveFileHeader& header) {
  return fieldToUtf8(header.runName().data(), header.runName().size());
}

std::string measCaption(const ArchiveFileHeader& header) {
  return format(
      "Измерительные данные хроматографа (сер. № %u; нитка \"%s\") за период  с  %s  по  %s",
      header.serialNumber(), trimmedRunName(header).c_str(),
      periodText(header.periodStart()).c_str(), periodText(header.periodEnd()).c_str());
}

std::string hourDayCaption(bool daily, const ArchiveFileHeader& header) {
  const auto s = header.periodStartBytes();
  const auto e = header.periodEndBytes();
  if (daily) {
    return format(
        "Суточные данные хроматографа (сер. № %u; нитка \"%s\") за период с %02d.%02d.%02d  по  "
        "%02d.%02d.%02d",
        header.serialNumber(), trimmedRunName(header).c_str(), s[2], s[1], s[0], e[2], e[1], e[0]);
  }
  return format(
      "Часовые данные хроматографа (сер. № %u; нитка \"%s\") за период с %02d.%02d.%02d  %02dч  "
      "по  %02d.%02d.%02d  %02dч",
      header.serialNumber(), trimmedRunName(header).c_str(), s[2], s[1], s[0], s[3], e[2], e[1],
      e[0], e[3]);
}

std::vector<std::string> measRow(const ChromMeasRecord& record, const std::vector<int>& decimals,
                                 ShownRow& shown) {
  const int n = static_cast<int>(decimals.size());
  std::vector<std::string> row(kMeasFixedColumns + n);
  if (!recordIsSound(record.bytes)) {
    if (row.size() > 2) row[2] = "  Данные";
    if (row.size() > 3) row[3] = " недостов.";
    return row;
  }
  const DateTime6 t = record.time();
  row[0] = format(" %02d.%02d.%02d", t.day, t.month, t.year);
  row[1] = format(" %02d:%02d:%02d", t.hour, t.minute, t.second);
  const std::uint8_t status = record.status();
  for (int i = 0; i < n; ++i) {
    std::string& cell = row[kMeasFixedColumns + i];
    if (status & kControllerWasOff) {
      cell = " 0";
    } else if (status & kNoChromatographLink) {
      cell = " ";
    } else if (status & kMeasBit7) {
      cell = " 0";
    } else {
      cell = valueText(record.value(i), decimals[i], record.zoneMark(i), shown[i]);
    }
  }
  return row;
}

std::string endTimeText(const ChromHourDayRecord& record, bool daily) {
  const auto& b = record.bytes;
  const std::size_t at = ChromHourDayRecord::kEndTimeAt;
  if (!daily) return format(" %02d:%02d:%02d", b[at], b[at + 1], b[at + 2]);
  const int hour = b[at] & 0x7F;
  return format(record.endHourFlag() ? " %02d:%02d:%02d" : " %02d:%02d:%02d*", hour, b[at + 1],
                b[at + 2]);
}

std::vector<std::string> hourDayRow(const ChromHourDayRecord& record, bool daily,
                                    const std::vector<int>& decimals, ShownRow& shown) {
  const int n = static_cast<int>(decimals.size());
  std::vector<std::string> row(kHourDayFixedColumns + n);
  if (!recordIsSound(record.bytes)) {
    row[1] = "     Данные";
    row[2] = "недостов.";
    return row;
  }
  const Date3 d = record.date();
  const auto& b = record.bytes;
  const std::size_t s = ChromHourDayRecord::kStartTimeAt;
  row[0] = format(" %02d.%02d.%02d", d.day, d.month, d.year);
  row[1] = format(" %02d:%02d:%02d", b[s], b[s + 1], b[s + 2]);
  row[2] = endTimeText(record, daily);
  row[3] = format(" %d", record.count());
  const std::uint8_t status = record.status();
  const char mark = status != 0 ? '"' : ' ';
  for (int i = 0; i < n; ++i) {
    std::string& cell = row[kHourDayFixedColumns + i];
    if (status & (kControllerWasOff | kNoChromatographLink)) {
      cell = " 0";
    } else {
      cell = valueText(record.value(i), decimals[i], mark, shown[i]);
    }
  }
  return row;
}

// The time a row stands for: the analysis, or the start of the hour or day.
std::optional<DateTime6> recordTime(ChromArchive archive, std::span<const std::uint8_t> record) {
  if (!recordIsSound(record)) return std::nullopt;
  if (archive == ChromArchive::kMeasurement) return ChromMeasRecord{record}.time();
  const ChromHourDayRecord r{record};
  const Date3 d = r.date();
  const std::size_t s = ChromHourDayRecord::kStartTimeAt;
  return DateTime6{d.year, d.month, d.day, record[s], record[s + 1], record[s + 2]};
}

}  // namespace

std::uint16_t ChromMeasRecord::stateCode() const {
  return readU16(bytes, kStateAt);
}

float zoneClearedValue(std::span<const std::uint8_t> record, std::size_t at) {
  return floatAt(record, at, true);
}

char zoneMarkAt(std::span<const std::uint8_t> record, std::size_t at) {
  const std::uint8_t zone = record[at] & kZoneBits;
  if (zone & kAlarmZone) return '#';
  if (zone & kWarningZone) return '*';
  return ' ';
}

float ChromMeasRecord::value(int index) const {
  return zoneClearedValue(bytes, kValuesAt + 4 * static_cast<std::size_t>(index));
}

char ChromMeasRecord::zoneMark(int index) const {
  return zoneMarkAt(bytes, kValuesAt + 4 * static_cast<std::size_t>(index));
}

std::uint16_t ChromHourDayRecord::count() const {
  return readU16(bytes, kCountAt);
}

float ChromHourDayRecord::value(int index) const {
  return floatAt(bytes, kValuesAt + 4 * static_cast<std::size_t>(index), false);
}

void appendParameterHeadings(const ArchiveFileHeader& header,
                             std::vector<std::vector<std::string>>& headings,
                             std::vector<int>& decimals) {
  using C = TextCatalogue;
  for (int i = 0; i < header.parameterCount(); ++i) {
    const auto name = header.parameterName(i);
    headings[0].push_back(centredHeading(fieldToUtf8(name.data(), name.size())));
    const int unit = header.parameterUnitCode(i);
    const bool known = unit < C::listLength(C::kUnitsB);
    headings[1].push_back(centredHeading(known ? std::string(C::text(C::kUnitsB, unit)) : ""));
    decimals.push_back(header.parameterDecimals(i));
  }
}

std::string centredHeading(const std::string& text) {
  const std::size_t length = characterCount(text);
  if (length > 9) return " " + text;
  return std::string((10 - length) / 2, ' ') + text;
}

ChromTable buildChromTable(ChromArchive archive, const ArchiveFileHeader& header,
                           const ArchiveRecords& records) {
  ChromTable table;
  table.archive = archive;
  table.headings.resize(2);
  const bool measurement = archive == ChromArchive::kMeasurement;
  const bool daily = archive == ChromArchive::kDaily;
  if (measurement) {
    table.caption = measCaption(header);
    table.headings[0] = {"   Дата", "   Время"};
    table.headings[1] = {"", ""};
    table.firstValueColumn = kMeasFixedColumns;
  } else {
    table.caption = hourDayCaption(daily, header);
    table.headings[0] = {"   Дата", "   Время", "  Время", "Кол. ликв."};
    table.headings[1] = {"  начала", "  начала", "  конца", " данных"};
    table.firstValueColumn = kHourDayFixedColumns;
  }
  appendParameterHeadings(header, table.headings, table.decimals);
  const int parameters = header.parameterCount();
  for (std::size_t i = 0; i < records.count(); ++i) {
    if (records[i].size() < ChromMeasRecord::kSize) continue;
    ShownRow& shown = table.shownValues.emplace_back(static_cast<std::size_t>(parameters));
    table.rowTimes.push_back(recordTime(archive, records[i]));
    table.rows.push_back(
        measurement
            ? measRow(ChromMeasRecord{records[i]}, table.decimals, shown)
            : hourDayRow(ChromHourDayRecord{records[i]}, daily, table.decimals, shown));
  }
  table.averages = averagesOf(table.shownValues, parameters);
  return table;
}

std::string chromStatusTitle(ChromArchive archive, std::span<const std::uint8_t> record) {
  if (archive == ChromArchive::kMeasurement) {
    const DateTime6 t = ChromMeasRecord{record}.time();
    return format(" Измерительные данные (%02d.%02d.%02d  %02d:%02d:%02d)", t.day, t.month, t.year,
                  t.hour, t.minute, t.second);
  }
  const ChromHourDayRecord r{record};
  const Date3 d = r.date();
  const auto& b = record;
  const std::size_t s = ChromHourDayRecord::kStartTimeAt;
  const std::size_t e = ChromHourDayRecord::kEndTimeAt;
  if (archive == ChromArchive::kHourly) {
    return format(" Часовые данные с %02d.%02d.%02d %02d:%02d:%02d по %02d:%02d:%02d", d.day,
                  d.month, d.year, b[s], b[s + 1], b[s + 2], b[e], b[e + 1], b[e + 2]);
  }
  return format(" Суточные данные с %02d.%02d.%02d %02d:%02d:%02d по %02d:%02d:%02d%c", d.day,
                d.month, d.year, b[s], b[s + 1], b[s + 2], b[e] & 0x7F, b[e + 1], b[e + 2],
                r.endHourFlag() ? '*' : ' ');
}

}  // namespace zvc
