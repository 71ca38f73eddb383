#pragma once

#include <QString>
#include <memory>
#include <vector>

#include "core/archives/archive_file_header.h"
#include "core/archives/moisture_archives.h"
#include "core/archives/report_layout.h"
#include "report/report_table_band.h"

namespace zvc {

// One printed page of a moisture-meter table: the column captions above up to a page of rows.
class TArh_Wmt_Table final : public ReportTableBand {
 public:
  TArh_Wmt_Table(std::vector<QString> headings, std::vector<Row> rows);
};

// The printed form of a moisture-meter table (TFormPrnHDM_Wmt, modes 6 hourly, 7 daily and
// 8 measurement): the title block on the first page, then the grid's texts, one band per page.
class MoistureReport {
 public:
  MoistureReport(const MoistureTable& table, const ArchiveFileHeader& header,
                 QString organisation);

  const ReportPagination& pagination() const { return pagination_; }
  Report buildReport() const;

 private:
  std::unique_ptr<ReportBand> titleBand() const;

  MoistureArchive archive_;
  ArchiveFileHeader header_;
  std::vector<QString> headings_;
  std::vector<ReportTableBand::Row> rows_;
  QString organisation_;
  ReportPagination pagination_;
};

}  // namespace zvc
