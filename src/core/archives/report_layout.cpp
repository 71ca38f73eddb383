#include "core/archives/report_layout.h"

#include <algorithm>
#include <utility>

#include "core/archives/archive_file_header.h"
#include "core/archives/print_question.h"
#include "core/common/format.h"
#include "core/common/text_codec.h"

namespace zvc {

BandCapacity messageBandCapacity(MessageReportKind kind) {
  return kind == MessageReportKind::kDiagnostic ? BandCapacity{58, 65} : BandCapacity{57, 69};
}

BandCapacity moistureBandCapacity() {
  return {52, 59, false, std::nullopt};
}

ReportPagination paginateReport(int rowCount, BandCapacity capacity) {
  ReportPagination pagination;
  int nextRow = 0;
  const int rows = std::max(rowCount, 0);
  for (int band = 0; !capacity.maxBands || band < *capacity.maxBands; ++band) {
    const int room = band == 0 ? capacity.firstBand : capacity.furtherBand;
    const int taken = std::min(room, rows - nextRow);
    pagination.bands.push_back({nextRow, taken});
    nextRow += taken;
    if (taken < room || (!capacity.bandAfterFullBand && nextRow == rows)) break;
  }
  pagination.printedRows = nextRow;
  return pagination;
}

std::string reportControllerName(const ArchiveFileHeader& header) {
  const auto name = header.controllerName();
  return fieldToUtf8(name.data(), name.size());
}

MessageReportTitle messageReportTitle(MessageReportKind kind, const ArchiveFileHeader& header,
                                      std::string_view organisation) {
  const bool diagnostic = kind == MessageReportKind::kDiagnostic;
  const DateTime6 start = header.periodStart();
  const DateTime6 end = header.periodEnd();
  const DateTime6 read = header.readTime();
  const int type = ArchiveFileHeader::kControllerType;
  MessageReportTitle title;
  title.organisation = std::string(organisation);
  title.controller = format("Контроллер \"%s\"  (адрес %d)", reportControllerName(header).c_str(),
                            header.address());
  // The same list title and controller line as the print question shows.
  PrintQuestionLines lines = printQuestionLines(
      diagnostic ? PrintQuestionType::kDiagnostic : PrintQuestionType::kIntervention, header);
  title.listTitle = std::move(lines.listTitle);
  title.controllerKind = std::move(lines.controller);
  title.period =
      format("За период  с  %02d.%02d.%02d %02d:%02d:%02d  по %02d.%02d.%02d %02d:%02d:%02d",
             start.day, start.month, start.year, start.hour, start.minute, start.second, end.day,
             end.month, end.year, end.hour, end.minute, end.second);
  title.compiled = format("Составлен программой zvc_%02d  %02d.%02d.%02d %02d:%02d:%02d", type,
                          read.day, read.month, read.year, read.hour, read.minute, read.second);
  return title;
}

MoistureReportTitle moistureReportTitle(MoistureArchive archive, const ArchiveFileHeader& header,
                                        std::string_view organisation) {
  const DateTime6 read = header.readTime();
  MoistureReportTitle title;
  title.organisation = std::string(organisation);
  title.controller = format("Контроллер \"%s\"  (адрес %d)", reportControllerName(header).c_str(),
                            header.address());
  title.compiled = format("Составлен программой zvc_%02d  %02d.%02d.%02d  %02d:%02d:%02d",
                          ArchiveFileHeader::kControllerType, read.day, read.month, read.year,
                          read.hour, read.minute, read.second);
  if (archive == MoistureArchive::kMeasurement) {
    const DateTime6 s = header.periodStart();
    const DateTime6 e = header.periodEnd();
    title.tableTitle = "Мгновенные данные влагомера";
    title.period = format(
        "за период  с  %02d.%02d.%02d %02d:%02d:00  по  %02d.%02d.%02d %02d:%02d:00", s.day,
        s.month, s.year, s.hour, s.minute, e.day, e.month, e.year, e.hour, e.minute);
    return title;
  }
  // The hourly and daily titles are those the print question shows.
  PrintQuestionLines lines = printQuestionLines(moisturePrintQuestionType(archive), header);
  title.tableTitle = std::move(lines.listTitle);
  title.period = std::move(lines.period);
  return title;
}

}  // namespace zvc
