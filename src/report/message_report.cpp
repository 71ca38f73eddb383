#include "report/message_report.h"

#include <algorithm>
#include <climits>

#include "core/common/format.h"
#include "core/ui/frontend.h"

namespace zvc {
namespace {

constexpr QMarginsF kDiagnosticMarginsMm{10, 10, 9, 10};
constexpr QMarginsF kInterventionMarginsMm{10, 10, 10, 10};

constexpr double kTitleHeight = 120;
constexpr ReportTextStyle kOrganisationStyle{12, false, Qt::AlignHCenter | Qt::AlignVCenter};
constexpr ReportTextStyle kControllerStyle{10, false, Qt::AlignLeft | Qt::AlignVCenter, 4};
constexpr ReportTextStyle kListTitleStyle{12, true, Qt::AlignHCenter | Qt::AlignVCenter};
constexpr ReportTextStyle kTitleLineStyle{10, false, Qt::AlignHCenter | Qt::AlignVCenter};

QString fromUtf8(const std::string& text) {
  return QString::fromStdString(text);
}

}  // namespace

MessageReport::MessageReport(MessageReportKind kind, const ArchiveFileHeader& header,
                             std::vector<MessageReportRow> rows, QString organisation)
    : kind_(kind),
      header_(header),
      rows_(std::move(rows)),
      organisation_(std::move(organisation)),
      pagination_(paginateReport(static_cast<int>(std::min<std::size_t>(rows_.size(), INT_MAX)),
                                 messageBandCapacity(kind))) {}

std::unique_ptr<ReportBand> MessageReport::titleBand() const {
  const MessageReportTitle title = messageReportTitle(kind_, header_, organisation_.toStdString());
  const double width = kReportPageWidth;
  return std::make_unique<TextLinesBand>(
      kTitleHeight, std::vector<TextLinesBand::Line>{
                        {0, 3, width, 20, kOrganisationStyle, fromUtf8(title.organisation)},
                        {0, 24, width, 17, kControllerStyle, fromUtf8(title.controller)},
                        {0, 44, width, 20, kListTitleStyle, fromUtf8(title.listTitle)},
                        {0, 64, width, 17, kTitleLineStyle, fromUtf8(title.controllerKind)},
                        {0, 81, width, 17, kTitleLineStyle, fromUtf8(title.period)},
                        {0, 98, width, 17, kTitleLineStyle, fromUtf8(title.compiled)},
                    });
}

std::unique_ptr<ReportBand> MessageReport::tableBand(const ReportBandRows& band) const {
  const auto first = rows_.begin() + band.firstRow;
  std::vector<MessageReportRow> rows(first, first + band.rowCount);
  if (kind_ == MessageReportKind::kDiagnostic) return std::make_unique<TAlaTable>(rows);
  return std::make_unique<TAudTable>(rows);
}

Report MessageReport::buildReport() const {
  Report report(kind_ == MessageReportKind::kDiagnostic ? kDiagnosticMarginsMm
                                                        : kInterventionMarginsMm);
  report.setPageHeader(fromUtf8(reportControllerName(header_)));
  report.addBand(titleBand());
  for (std::size_t band = 0; band < pagination_.bands.size(); ++band) {
    if (band > 0) report.addPage();
    report.addBand(tableBand(pagination_.bands[band]));
  }
  return report;
}

void MessageReport::announceCut(Frontend& frontend) const {
  if (static_cast<std::size_t>(pagination_.printedRows) < rows_.size()) {
    frontend.showMessage(
        6, format("В отчет войдут первые %d строк из %zu", pagination_.printedRows, rows_.size()),
        format("(не более %d листов)", kMaxReportBands));
  }
}

}  // namespace zvc
