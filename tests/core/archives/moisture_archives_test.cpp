#include "core/archives/moisture_archives.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "support/moisture_fixtures.h"

namespace zvc {
namespace {

using Row = std::array<std::string, MoistureTable::kColumns>;
using Bytes = std::vector<std::uint8_t>;

constexpr float kNan = std::numeric_limits<float>::quiet_NaN();
const DateTime6 kTime{26, 3, 15, 12, 4, 9};

Bytes measRecord(std::uint8_t status, std::uint16_t state, const test::MoistureValues& values) {
  return test::wmtMeasRecord(kTime, status, state, values);
}

Bytes hourDayRecord(std::uint8_t endHour, std::uint8_t status, const test::MoistureValues& values) {
  return test::wmtHourDayRecord(Date3{26, 3, 14}, 9, endHour, status, values);
}

ArchiveRecords recordsOf(std::size_t size, const std::vector<Bytes>& list) {
  return test::moistureRecords(size, list);
}

ArchiveFileHeader header(std::uint8_t meterModel) {
  ArchiveFileHeader h;
  h.bytes()[ArchiveFileHeader::kMoistureMeterModelAt] = meterModel;
  h.setPeriod(DateTime6{26, 3, 1, 8, 30, 0}, DateTime6{26, 3, 2, 9, 45, 5});
  return h;
}

TEST(MoistureArchives, MeasurementCellsByStatusAndStateCode) {
  const Bytes broken = [] {
    Bytes r = measRecord(0, 0, {1, 2, 3, 4});
    r[12] ^= 0x40;
    return r;
  }();
  const MoistureTable table = buildMoistureTable(
      MoistureArchive::kMeasurement, header(1),
      recordsOf(WmtMeasRecord::kSize,
                {measRecord(0, 0, {-12.5F, 0.0F, 1234.5F, 0.00042F}),
                 measRecord(0x08, 0x1A2B, {0.005F, 0.00005F, 0.0000005F, 1000.0F}),
                 measRecord(0x02, 0x1A2B, {1, 2, 3, 4}), measRecord(0x04, 0x1A2B, {1, 2, 3, 4}),
                 measRecord(0x06, 0, {1, 2, 3, 4}), measRecord(0, 0, {kNan, 1, 2, 3}), broken}));
  ASSERT_EQ(table.rows.size(), 7U);
  EXPECT_EQ(table.rows[0], (Row{"  15.03.26", "  12:04:09", "  Норма", "  Норма", "  -12.50", "  0",
                                "  1234", "  0.00042"}));
  EXPECT_EQ(table.rows[1], (Row{"  15.03.26", "  12:04:09", "  0x08", "  0x1A2B", "  0.0050",
                                "  0.000050", "  5.00e-07", "  1000"}));
  EXPECT_EQ(table.rows[2], (Row{"  15.03.26", "  12:04:09", "  0x02", "", "  Выкл.", "  Выкл.",
                                "  Выкл.", "  Выкл."}));
  // No link: the state column says so even with a state code, and every value is 0.
  EXPECT_EQ(table.rows[3], (Row{"  15.03.26", "  12:04:09", "  0x04", " Нет связи", "       0",
                                "       0", "       0", "       0"}));
  EXPECT_EQ(table.rows[4][4], "  Выкл.");
  // A value that is not a number reads as in the hourly and daily tables, and is no number shown.
  EXPECT_EQ(table.rows[5][4], "  NAN");
  EXPECT_EQ(table.rows[5][5], "  1.00");
  EXPECT_FALSE(table.shownValues[5][0]);
  EXPECT_TRUE(table.shownValues[5][1]);
  EXPECT_EQ(table.rows[6], (Row{"     Данные", " недостов."}));
}

TEST(MoistureArchives, HourlyAndDailyCells) {
  const auto records =
      recordsOf(WmtHourDayRecord::kSize,
                {hourDayRecord(0x8A, 0, {-8.25F, kNan, 0, 99.999F}),
                 hourDayRecord(0x0A, 0x04, {1, 2, 3, 4}), hourDayRecord(0x0A, 0x02, {1, 2, 3, 4})});
  const MoistureTable daily = buildMoistureTable(MoistureArchive::kDaily, header(1), records);
  EXPECT_EQ(daily.rows[0], (Row{"  14.03.26", "   09:00:00", "   10:00:00", "  Норма", "  -8.25",
                                "  NAN", "  0", "  100.00"}));
  EXPECT_EQ(daily.rows[1], (Row{"  14.03.26", "   09:00:00", "   10:00:00*", "  0x04", "       0",
                                "       0", "       0", "       0"}));
  EXPECT_EQ(daily.rows[2][4], "  Выкл.");
  const MoistureTable hourly = buildMoistureTable(MoistureArchive::kHourly, header(1), records);
  EXPECT_EQ(hourly.rows[0][2], "   138:00:00");  // hourly end hours carry no flag bit
  EXPECT_EQ(hourly.rows[1][2], "   10:00:00");
}

TEST(MoistureArchives, CaptionsFollowTheArchiveAndTheMeterModel) {
  const auto none = recordsOf(WmtMeasRecord::kSize, {});
  const MoistureTable meas = buildMoistureTable(MoistureArchive::kMeasurement, header(1), none);
  EXPECT_EQ(meas.caption,
            "Мгновенные данные влагомера за период  с  01.03.26 08:30:00  по  02.03.26 09:45:05");
  EXPECT_EQ(meas.columnCaptions[0], (Row{"Дата", "Время", "Статус", " Признаки ", "Т т.росы",
                                         "Т т.росы", "Р изб.", "Прив. Т т.росы"}));
  EXPECT_EQ(meas.columnCaptions[1],
            (Row{"", "", "контроллера", "состояния", "WDP", "HDP", "WDP", "по воде"}));
  EXPECT_EQ(meas.columnCaptions[3], (Row{"", "", "", "", "°С", "°С", "bar", "°С"}));

  ArchiveFileHeader hourHeader = header(2);
  hourHeader.setPeriod(DateHour4{26, 3, 1, 8}, DateHour4{26, 3, 2, 9});
  const MoistureTable hourly = buildMoistureTable(MoistureArchive::kHourly, hourHeader, none);
  EXPECT_EQ(hourly.caption,
            "Часовые данные влагомера за период с 01.03.26  08ч  по  02.03.26  09ч");
  EXPECT_EQ(hourly.columnCaptions[0][2], "Время");
  EXPECT_EQ(hourly.columnCaptions[1][2], "конца");
  EXPECT_EQ(hourly.columnCaptions[0][6], "Давление");
  EXPECT_EQ(hourly.columnCaptions[1][6], " ");

  ArchiveFileHeader dayHeader = header(2);
  dayHeader.setPeriod(Date3{26, 3, 1}, Date3{26, 3, 2});
  EXPECT_EQ(buildMoistureTable(MoistureArchive::kDaily, dayHeader, none).caption,
            "Суточные данные влагомера за период с 01.03.26  по  02.03.26");
}

}  // namespace
}  // namespace zvc
