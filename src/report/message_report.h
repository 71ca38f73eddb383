#pragma once

#include <QString>
#include <vector>

#include "core/archives/archive_file_header.h"
#include "core/archives/report_layout.h"
#include "report/message_table_band.h"

namespace zvc {

class Frontend;

// The printed message report of a diagnostic or intervention view: the title block on the
// first page, then the view's rows in table bands, one band per page.
class MessageReport {
 public:
  MessageReport(MessageReportKind kind, const ArchiveFileHeader& header,
                std::vector<MessageReportRow> rows, QString organisation);

  const ReportPagination& pagination() const { return pagination_; }
  Report buildReport() const;

  // Tells the user when the band limit leaves rows out of the report.
  void announceCut(Frontend& frontend) const;

 private:
  std::unique_ptr<ReportBand> titleBand() const;
  std::unique_ptr<ReportBand> tableBand(const ReportBandRows& band) const;

  MessageReportKind kind_;
  ArchiveFileHeader header_;
  std::vector<MessageReportRow> rows_;
  QString organisation_;
  ReportPagination pagination_;
};

}  // namespace zvc
