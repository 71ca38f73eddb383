#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/archives/moisture_archives.h"

namespace zvc {

class ArchiveFileHeader;

enum class MessageReportKind { kDiagnostic, kIntervention };

// A message report never grows beyond this many bands (one band = one page).
inline constexpr int kMaxReportBands = 200;

// Rows one table band can take; the first band shares its page with the title block.
struct BandCapacity {
  int firstBand = 0;
  int furtherBand = 0;
  // Whether a band that becomes full begins the next one even when no row is left for it.
  bool bandAfterFullBand = true;
  // The most bands a report takes, the rows beyond left out; none: every row is printed.
  std::optional<int> maxBands = kMaxReportBands;
};

BandCapacity messageBandCapacity(MessageReportKind kind);
// 65 lines a page: the title takes 7 and each table's heading 6. Every row is printed.
BandCapacity moistureBandCapacity();

struct ReportBandRows {
  int firstRow = 0;
  int rowCount = 0;

  bool operator==(const ReportBandRows&) const = default;
};

struct ReportPagination {
  std::vector<ReportBandRows> bands;
  // Fewer than the report's rows when the band limit cut it; the rest is not printed.
  int printedRows = 0;
};

// Fills bands in row order. Where the capacity says so, a band that becomes full begins the next
// one even when no row is left for it: a message report that exactly fills its last band ends
// with a page of headings only. At a band limit the rows that do not fit are left out.
ReportPagination paginateReport(int rowCount, BandCapacity capacity);

// The title block of the first page of a message report, in print order.
struct MessageReportTitle {
  std::string organisation;
  std::string controller;
  std::string listTitle;
  std::string controllerKind;
  std::string period;
  std::string compiled;
};

// `organisation` is the text the user entered for the print job.
MessageReportTitle messageReportTitle(MessageReportKind kind, const ArchiveFileHeader& header,
                                      std::string_view organisation);

// The five lines of the moisture-meter report's title block (TrepTitle), in print order.
struct MoistureReportTitle {
  std::string organisation;
  std::string controller;
  std::string tableTitle;
  std::string period;
  std::string compiled;
};

MoistureReportTitle moistureReportTitle(MoistureArchive archive, const ArchiveFileHeader& header,
                                        std::string_view organisation);

// The controller name of the header without blanks at either end (page headers, title lines).
std::string reportControllerName(const ArchiveFileHeader& header);

}  // namespace zvc
