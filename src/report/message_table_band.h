#pragma once

#include <QString>
#include <array>
#include <vector>

#include "report/report_table_band.h"

namespace zvc {

// The texts of grid columns 1–7 of a message view, one printed row.
using MessageReportRow = std::array<QString, 7>;

// A page of the diagnostic message report.
class TAlaTable final : public ReportTableBand {
 public:
  explicit TAlaTable(const std::vector<MessageReportRow>& rows);
};

// A page of the operator-intervention message report.
class TAudTable final : public ReportTableBand {
 public:
  explicit TAudTable(const std::vector<MessageReportRow>& rows);
};

}  // namespace zvc
