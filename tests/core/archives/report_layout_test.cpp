#include "core/archives/report_layout.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/archives/archive_file_header.h"
#include "core/common/text_codec.h"

namespace zvc {
namespace {

std::vector<int> bandSizes(const ReportPagination& pagination) {
  std::vector<int> sizes;
  for (const ReportBandRows& band : pagination.bands) sizes.push_back(band.rowCount);
  return sizes;
}

struct PaginationCase {
  MessageReportKind kind;
  int rows;
  std::vector<int> bands;
};

class ReportPaginationTest : public ::testing::TestWithParam<PaginationCase> {};

TEST_P(ReportPaginationTest, FillsBandsAndBeginsOneAfterEachFullBand) {
  const PaginationCase& c = GetParam();
  const ReportPagination pagination = paginateReport(c.rows, messageBandCapacity(c.kind));
  EXPECT_EQ(bandSizes(pagination), c.bands);
  EXPECT_EQ(pagination.printedRows, c.rows);
  int nextRow = 0;
  for (const ReportBandRows& band : pagination.bands) {
    EXPECT_EQ(band.firstRow, nextRow);
    nextRow += band.rowCount;
  }
}

constexpr auto kDiagnostic = MessageReportKind::kDiagnostic;
constexpr auto kIntervention = MessageReportKind::kIntervention;

INSTANTIATE_TEST_SUITE_P(Cases, ReportPaginationTest,
                         ::testing::Values(PaginationCase{kDiagnostic, 0, {0}},
                                           PaginationCase{kDiagnostic, 57, {57}},
                                           PaginationCase{kDiagnostic, 58, {58, 0}},
                                           PaginationCase{kDiagnostic, 59, {58, 1}},
                                           PaginationCase{kDiagnostic, 123, {58, 65, 0}},
                                           PaginationCase{kDiagnostic, 124, {58, 65, 1}},
                                           PaginationCase{kIntervention, 56, {56}},
                                           PaginationCase{kIntervention, 57, {57, 0}},
                                           PaginationCase{kIntervention, 123, {57, 66}},
                                           PaginationCase{kIntervention, 126, {57, 69, 0}}));

// 58 + 199 × 65 rows fill all 200 diagnostic bands.
constexpr int kRowsIn200DiagnosticBands = 58 + 199 * 65;

TEST(ReportBandLimit, ExactlyFullLastBandBeginsNoFurtherBand) {
  const ReportPagination pagination =
      paginateReport(kRowsIn200DiagnosticBands, messageBandCapacity(kDiagnostic));
  ASSERT_EQ(pagination.bands.size(), 200u);
  EXPECT_EQ(pagination.bands.back().rowCount, 65);
  EXPECT_EQ(pagination.printedRows, kRowsIn200DiagnosticBands);
}

TEST(ReportBandLimit, RowsBeyondTheLastBandAreLeftOut) {
  for (int rows : {kRowsIn200DiagnosticBands + 1, 1'000'000}) {
    const ReportPagination pagination = paginateReport(rows, messageBandCapacity(kDiagnostic));
    EXPECT_EQ(pagination.bands.size(), 200u);
    EXPECT_EQ(pagination.printedRows, kRowsIn200DiagnosticBands);
  }
}

TEST(ReportBandLimit, AMoistureReportPrintsEveryRow) {
  // 52 on the first page and 59 on each further one: 202 pages, the last with one row.
  constexpr int kRows = 52 + 200 * 59 + 1;
  const ReportPagination pagination = paginateReport(kRows, moistureBandCapacity());
  EXPECT_EQ(pagination.bands.size(), 202u);
  EXPECT_EQ(pagination.bands.back(), (ReportBandRows{kRows - 1, 1}));
  EXPECT_EQ(pagination.printedRows, kRows);
}

TEST(ReportBandLimit, NegativeRowCountGivesOneEmptyBand) {
  const ReportPagination pagination = paginateReport(-5, messageBandCapacity(kIntervention));
  EXPECT_EQ(bandSizes(pagination), std::vector<int>{0});
  EXPECT_EQ(pagination.printedRows, 0);
}

class MessageReportTitleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto bytes = header.bytes();
    utf8ToField("  КС-7 Восток  ", &bytes[ArchiveFileHeader::kControllerNameAt],
                ArchiveFileHeader::kNameSize);
    bytes[ArchiveFileHeader::kAddressAt] = 7;
    header.setPeriod(DateTime6{24, 3, 1, 0, 5, 9}, DateTime6{24, 3, 31, 23, 59, 58});
    header.setReadTime(DateTime6{24, 4, 2, 8, 30, 1});
  }

  ArchiveFileHeader header;
};

TEST_F(MessageReportTitleTest, DiagnosticLines) {
  const MessageReportTitle title = messageReportTitle(kDiagnostic, header, "ООО Газ");
  EXPECT_EQ(title.organisation, "ООО Газ");
  EXPECT_EQ(title.controller, "Контроллер \"КС-7 Восток\"  (адрес 7)");
  EXPECT_EQ(title.listTitle, "Перечень диагностических сообщений");
  // "контроллер" in Cyrillic, then a Latin "a".
  EXPECT_EQ(title.controllerKind,
            "\u043a\u043e\u043d\u0442\u0440\u043e\u043b\u043b\u0435\u0440"
            "a \u0416\u0412\u0426_15");
  EXPECT_EQ(title.period, "За период  с  01.03.24 00:05:09  по 31.03.24 23:59:58");
  EXPECT_EQ(title.compiled, "Составлен программой zvc_15  02.04.24 08:30:01");
}

TEST_F(MessageReportTitleTest, InterventionLines) {
  const MessageReportTitle title = messageReportTitle(kIntervention, header, "");
  EXPECT_EQ(title.organisation, "");
  EXPECT_EQ(title.listTitle, "Перечень сообщений о вмешательствах оператора");
  EXPECT_EQ(title.controllerKind,
            "в работу \u043a\u043e\u043d\u0442\u0440\u043e\u043b\u043b"
            "\u0435\u0440a \u0416\u0412\u0426_15");
}

TEST_F(MessageReportTitleTest, ControllerNameStopsAtNulAndKeepsInnerBlanks) {
  auto bytes = header.bytes();
  std::fill_n(&bytes[ArchiveFileHeader::kControllerNameAt], ArchiveFileHeader::kNameSize, ' ');
  bytes[ArchiveFileHeader::kControllerNameAt + 1] = 'A';
  bytes[ArchiveFileHeader::kControllerNameAt + 3] = 'B';
  bytes[ArchiveFileHeader::kControllerNameAt + 5] = 0;
  bytes[ArchiveFileHeader::kControllerNameAt + 6] = 'X';
  EXPECT_EQ(reportControllerName(header), "A B");
}

}  // namespace
}  // namespace zvc
