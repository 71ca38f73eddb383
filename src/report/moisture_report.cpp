#include "report/moisture_report.h"

#include <QStringList>
#include <algorithm>
#include <climits>

#include "report/trep_title.h"

namespace zvc {
namespace {

constexpr QMarginsF kMarginsMm{10, 10, 10, 10};

// A page holds 65 lines of this height.
constexpr double kLine = 15;

constexpr ReportTableBand::Geometry kWmtGeometry{
    .frameTop = kLine,
    .spanningRule = kLine,
    .headingRule = 5 * kLine + 4,
    .rowsTop = 5 * kLine + 6,
    .rowHeight = kLine,
    .heightBeforeRows = 6 * kLine,
    .frameBelowRows = 2,
};

constexpr std::array<ReportTableBand::Column, MoistureTable::kColumns> kWmtColumns{{
    {0, 70, nullptr},
    {76, 70, nullptr},
    {152, 70, nullptr},
    {228, 78, nullptr},
    {312, 99, nullptr},
    {417, 99, nullptr},
    {522, 99, nullptr},
    {627, 93, nullptr},
}};

QString trimmedText(const std::string& text) {
  return QString::fromStdString(text).trimmed();
}

std::vector<QString> columnHeadings(const MoistureTable& table) {
  std::vector<QString> headings;
  for (int column = 0; column < MoistureTable::kColumns; ++column) {
    QStringList lines;
    for (const auto& line : table.columnCaptions) lines << trimmedText(line[column]);
    while (!lines.isEmpty() && lines.back().isEmpty()) lines.removeLast();
    headings.push_back(lines.join('\n'));
  }
  return headings;
}

std::vector<ReportTableBand::Row> cellTexts(const MoistureTable& table) {
  std::vector<ReportTableBand::Row> rows;
  rows.reserve(table.rows.size());
  for (const auto& row : table.rows) {
    ReportTableBand::Row texts;
    for (const std::string& cell : row) texts.push_back(trimmedText(cell));
    rows.push_back(std::move(texts));
  }
  return rows;
}

}  // namespace

TArh_Wmt_Table::TArh_Wmt_Table(std::vector<QString> headings, std::vector<Row> rows)
    : ReportTableBand(kWmtColumns, std::nullopt, kWmtGeometry, std::move(rows),
                      std::move(headings)) {}

MoistureReport::MoistureReport(const MoistureTable& table, const ArchiveFileHeader& header,
                               QString organisation)
    : archive_(table.archive),
      header_(header),
      headings_(columnHeadings(table)),
      rows_(cellTexts(table)),
      organisation_(std::move(organisation)),
      pagination_(paginateReport(static_cast<int>(std::min<std::size_t>(rows_.size(), INT_MAX)),
                                 moistureBandCapacity())) {}

std::unique_ptr<ReportBand> MoistureReport::titleBand() const {
  const MoistureReportTitle title =
      moistureReportTitle(archive_, header_, organisation_.toStdString());
  auto band = std::make_unique<TrepTitle>();
  const std::string lines[TrepTitle::kLineCount] = {title.organisation, title.controller,
                                                   title.tableTitle, title.period,
                                                   title.compiled};
  for (std::size_t line = 0; line < TrepTitle::kLineCount; ++line) {
    band->setText(line, QString::fromStdString(lines[line]));
  }
  return band;
}

Report MoistureReport::buildReport() const {
  Report report(kMarginsMm);
  report.setPageHeader(QString::fromStdString(reportControllerName(header_)));
  report.addBand(titleBand());
  for (std::size_t band = 0; band < pagination_.bands.size(); ++band) {
    if (band > 0) report.addPage();
    const ReportBandRows& rows = pagination_.bands[band];
    const auto first = rows_.begin() + rows.firstRow;
    report.addBand(std::make_unique<TArh_Wmt_Table>(
        headings_, std::vector<ReportTableBand::Row>(first, first + rows.rowCount)));
  }
  return report;
}

}  // namespace zvc
