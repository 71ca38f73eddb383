#include "core/archives/chrom_archives.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "support/chrom_fixtures.h"

namespace zvc {
namespace {

using test::chromHeader;
using test::hourDayRecord;
using test::measRecord;
using test::recordsOf;

const DateTime6 kTime{26, 3, 15, 12, 4, 0};

TEST(ChromArchives, MeasurementHeadingsAndCaption) {
  const ChromTable table =
      buildChromTable(ChromArchive::kMeasurement, chromHeader("MSA"), recordsOf({}));
  EXPECT_EQ(table.headings[0],
            (std::vector<std::string>{"   Дата", "   Время", "   CH4", "Плотность"}));
  EXPECT_EQ(table.headings[1], (std::vector<std::string>{"", "", "    %", "  кг/м3"}));
  EXPECT_EQ(table.caption,
            "Измерительные данные хроматографа (сер. № 42; нитка \"Нитка 1/2\") за период  с  "
            "00.00.00 00:00:00  по  00.00.00 00:00:00");
}

TEST(ChromArchives, MeasurementCellsFollowZoneBitsStatusAndNan) {
  auto warning = measRecord(kTime, {12.5F, 0.75F});
  test::putValue(warning, 0, 12.5F, 1);
  test::putValue(warning, 1, 0.75F, 3);
  test::seal(warning);
  const float nan = std::numeric_limits<float>::quiet_NaN();
  auto broken = measRecord(kTime, {1, 2});
  broken[20] ^= 0xFF;
  const ChromTable table = buildChromTable(
      ChromArchive::kMeasurement, chromHeader("MSA"),
      recordsOf({warning, measRecord(kTime, {1, 2}, 0x02), measRecord(kTime, {1, 2}, 0x20),
                 measRecord(kTime, {1, 2}, 0x80), measRecord(kTime, {nan, 0.25F}), broken}));
  using Row = std::vector<std::string>;
  EXPECT_EQ(table.rows[0], (Row{" 15.03.26", " 12:04:00", " 12.500 *", " 0.7500 #"}));
  EXPECT_EQ(table.rows[1], (Row{" 15.03.26", " 12:04:00", " 0", " 0"}));
  EXPECT_EQ(table.rows[2], (Row{" 15.03.26", " 12:04:00", " ", " "}));
  EXPECT_EQ(table.rows[3], (Row{" 15.03.26", " 12:04:00", " 0", " 0"}));
  EXPECT_EQ(table.rows[4], (Row{" 15.03.26", " 12:04:00", "  NAN", " 0.2500  "}));
  EXPECT_EQ(table.rows[5], (Row{"", "", "  Данные", " недостов."}));
  // Averages take the numbers shown, zone bits cleared; NaN only leaves its own column.
  EXPECT_FLOAT_EQ(table.averages[0], 12.5F);
  EXPECT_FLOAT_EQ(table.averages[1], 0.5F);
}

TEST(ChromArchives, AnEmptyColumnAveragesZero) {
  const ChromTable table = buildChromTable(ChromArchive::kMeasurement, chromHeader("MSA"),
                                           recordsOf({measRecord(kTime, {1, 2}, 0x02)}));
  EXPECT_EQ(table.averages, (std::vector<float>{0, 0}));
}

TEST(ChromArchives, DailyEndHourFlagDecidesTheStar) {
  const Date3 day{26, 3, 14};
  const ChromTable table =
      buildChromTable(ChromArchive::kDaily, chromHeader("DAY"),
                      recordsOf({hourDayRecord(day, 10, 0x8A, 0, {1, 2}),
                                 hourDayRecord(day, 10, 0x0A, 0x08, {1, 2}),
                                 hourDayRecord(day, 10, 0x0A, 0x20, {1, 2})}));
  using Row = std::vector<std::string>;
  EXPECT_EQ(table.rows[0], (Row{" 14.03.26", " 10:00:00", " 10:00:00", " 12", " 1.000  ",
                                " 2.0000  "}));
  EXPECT_EQ(table.rows[1], (Row{" 14.03.26", " 10:00:00", " 10:00:00*", " 12", " 1.000 \"",
                                " 2.0000 \""}));
  EXPECT_EQ(table.rows[2][4], " 0");
  const auto records = recordsOf({hourDayRecord(day, 10, 0x8A, 0, {}),
                                  hourDayRecord(day, 10, 0x0A, 0, {})});
  EXPECT_EQ(chromStatusTitle(ChromArchive::kDaily, records[0]),
            " Суточные данные с 14.03.26 10:00:00 по 10:00:00*");
  EXPECT_EQ(chromStatusTitle(ChromArchive::kDaily, records[1]),
            " Суточные данные с 14.03.26 10:00:00 по 10:00:00 ");
}

TEST(ChromArchives, HourlyTableHeadingsCaptionAndUnsoundRow) {
  ArchiveFileHeader header = chromHeader("HOU");
  header.setPeriod(DateHour4{26, 3, 14, 9}, DateHour4{26, 3, 15, 8});
  auto broken = hourDayRecord({26, 3, 14}, 9, 10, 0, {1, 2});
  broken[30] ^= 1;
  const ChromTable table = buildChromTable(ChromArchive::kHourly, header, recordsOf({broken}));
  EXPECT_EQ(table.caption,
            "Часовые данные хроматографа (сер. № 42; нитка \"Нитка 1/2\") за период с 14.03.26  "
            "09ч  по  15.03.26  08ч");
  EXPECT_EQ(table.headings[1][3], " данных");
  EXPECT_EQ(table.rows[0], (std::vector<std::string>{"", "     Данные", "недостов.", "", "", ""}));
  EXPECT_EQ(chromStatusTitle(ChromArchive::kMeasurement, test::measRecord(kTime, {})),
            " Измерительные данные (15.03.26  12:04:00)");
}

TEST(ChromArchives, HeadingsAreCentredInTenCharacters) {
  EXPECT_EQ(centredHeading("CH4"), "   CH4");
  EXPECT_EQ(centredHeading("кг/м3"), "  кг/м3");
  EXPECT_EQ(centredHeading("Теплота сгорания"), " Теплота сгорания");
  EXPECT_EQ(centredHeading(""), "     ");
}

}  // namespace
}  // namespace zvc
