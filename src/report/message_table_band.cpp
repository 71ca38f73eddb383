#include "report/message_table_band.h"

namespace zvc {
namespace {

constexpr ReportTableBand::Geometry kMessageGeometry{
    .frameTop = 2,
    .spanningRule = 20,
    .headingRule = 61,
    .rowsTop = 63,
    .rowHeight = 13,
    .heightBeforeRows = 92,
    .frameBelowRows = 2,
};

constexpr std::array<ReportTableBand::Column, 7> kAlaColumns{{
    {0, 52, "Дата"},
    {58, 52, "Время"},
    {115, 200, "Событие"},
    {321, 205, "Объект / Причина"},
    {531, 60, "Текущее\nзначение\nпараметра"},
    {597, 60, "Значение\nуставки"},
    {661, 58, "Единица\nизмер."},
}};
constexpr ReportTableBand::SpanningHeading kAlaMessageHeading{115, 409, "Сообщение", 2, 3};

constexpr std::array<ReportTableBand::Column, 7> kAudColumns{{
    {0, 52, "Дата"},
    {58, 52, "Время"},
    {115, 272, "Наименование параметра"},
    {395, 87, "Старое\nзначение"},
    {488, 87, "Новое\nзначение"},
    {580, 60, "Единица\nизмер."},
    {646, 71, "Имя\nоператора"},
}};

std::vector<ReportTableBand::Row> tableRows(const std::vector<MessageReportRow>& rows) {
  std::vector<ReportTableBand::Row> result;
  result.reserve(rows.size());
  for (const MessageReportRow& row : rows) result.emplace_back(row.begin(), row.end());
  return result;
}

}  // namespace

TAlaTable::TAlaTable(const std::vector<MessageReportRow>& rows)
    : ReportTableBand(kAlaColumns, kAlaMessageHeading, kMessageGeometry, tableRows(rows)) {}

TAudTable::TAudTable(const std::vector<MessageReportRow>& rows)
    : ReportTableBand(kAudColumns, std::nullopt, kMessageGeometry, tableRows(rows)) {}

}  // namespace zvc
