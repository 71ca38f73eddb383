#include "core/archives/chart_series.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/common/calendar.h"
#include "core/common/float_format.h"
#include "core/tables/config_image.h"
#include "core/tables/config_record.h"
#include "core/common/crc16.h"
#include "support/chrom_fixtures.h"

namespace zvc {
namespace {

using test::chromHeader;
using test::hourDayRecord;
using test::measRecord;
using test::recordsOf;

constexpr float kNan = std::numeric_limits<float>::quiet_NaN();

double dayOf(DateTime6 time) {
  return dayCountFromDateTime(time);
}

DateTime6 at(int hour) {
  return {24, 3, 1, static_cast<std::uint8_t>(hour), 0, 0};
}

// The values of each run, so that a failure shows where a gap went missing.
std::vector<std::vector<double>> runValues(const ChartSeries& series) {
  std::vector<std::vector<double>> runs;
  for (const auto& run : series.runs) {
    auto& values = runs.emplace_back();
    for (const ChartPoint& point : run) values.push_back(point.value);
  }
  return runs;
}

TEST(ChartSeries, EveryCellWithoutANumberBreaksTheLine) {
  auto damaged = measRecord(at(4), {4.0F, 40.0F});
  damaged[20] ^= 0xFF;  // the checksum fails: "Данные" / "недостов."
  const ArchiveRecords records = recordsOf({
      measRecord(at(0), {90.5F, 0.7F}),
      measRecord(at(1), {91.0F, 0.7F}),
      measRecord(at(2), {92.0F, 0.7F}, 0x02),  // controller was off: " 0"
      measRecord(at(3), {93.0F, 0.7F}, 0x20),  // no chromatograph: blank
      damaged,
      measRecord(at(5), {kNan, 0.8F}),          // "  NAN" in the first column only
      measRecord(at(6), {0.0F, 0.8F}, 0x80),    // bit 7: " 0"
      measRecord(at(7), {0.0F, 0.8F}),          // a true zero is a value
      measRecord(at(8), {95.0F, 0.8F}),
  });
  const ChromTable table = buildChromTable(ChromArchive::kMeasurement, chromHeader("MSA"), records);

  const ChartSeries methane = chartSeries(chartSource(table), 0);
  EXPECT_EQ(methane.name, "CH4");
  EXPECT_EQ(methane.unit, "%");
  EXPECT_EQ(runValues(methane), (std::vector<std::vector<double>>{{90.5, 91.0}, {0.0, 95.0}}));
  EXPECT_EQ(methane.runs[0][1].day, dayOf(at(1)));
  EXPECT_EQ(methane.runs[1][0].day, dayOf(at(7)));

  const ChartSeries density = chartSeries(chartSource(table), 1);
  EXPECT_EQ(density.name, "Плотность");
  ASSERT_EQ(density.runs.size(), 3u);  // broken by rows 2..4 and 6
  EXPECT_EQ(density.runs[1].size(), 1u);
}

TEST(ChartSeries, ZoneMarksBecomeMarkers) {
  auto warning = measRecord(at(1), {91.0F});
  test::putValue(warning, 0, 91.0F, 0b01);
  auto alarm = measRecord(at(2), {92.0F});
  test::putValue(alarm, 0, 92.0F, 0b11);  // alarm takes precedence
  test::seal(warning);
  test::seal(alarm);
  const ChromTable table = buildChromTable(
      ChromArchive::kMeasurement, chromHeader("MSA", 1),
      recordsOf({measRecord(at(0), {90.0F}), warning, alarm, measRecord(at(3), {93.0F})}));

  const ChartSeries series = chartSeries(chartSource(table), 0);
  ASSERT_EQ(series.runs.size(), 1u);
  EXPECT_EQ(series.runs[0].size(), 4u);
  ASSERT_EQ(series.warnings.size(), 1u);
  EXPECT_EQ(series.warnings[0].day, dayOf(at(1)));
  ASSERT_EQ(series.alarms.size(), 1u);
  EXPECT_EQ(series.alarms[0].day, dayOf(at(2)));
  EXPECT_NEAR(series.alarms[0].value, 92.0, 1e-4);  // zone bits cleared
  EXPECT_TRUE(series.flagged.empty());
}

TEST(ChartSeries, DailyRecordsStandAtTheirStartAndFlaggedOnesAreMarked) {
  const ChromTable table = buildChromTable(
      ChromArchive::kDaily, chromHeader("DAY", 1),
      recordsOf({hourDayRecord({24, 3, 1}, 10, 0x8A, 0, {33.1F}),
                 hourDayRecord({24, 3, 2}, 10, 0x8A, 0x08, {33.4F}),  // '"': status set
                 hourDayRecord({24, 3, 3}, 10, 0x8A, 0x02, {33.2F}),  // " 0"
                 hourDayRecord({24, 3, 4}, 10, 0x8A, 0, {33.3F})}));
  const ChartSeries series = chartSeries(chartSource(table), 0);
  ASSERT_EQ(series.runs.size(), 2u);
  EXPECT_EQ(series.runs[0][0].day, dayOf({24, 3, 1, 10, 0, 0}));
  ASSERT_EQ(series.flagged.size(), 1u);
  EXPECT_EQ(series.flagged[0].day, dayOf({24, 3, 2, 10, 0, 0}));
  EXPECT_TRUE(series.warnings.empty());
}

TEST(ChartSeries, SetpointLinesFromTables23And24) {
  ConfigImage image;
  const float lower[] = {85.0F, kNan};
  const float upper[] = {98.0F, 0.75F};
  for (int p = 0; p < 2; ++p) {
    std::memcpy(image.field(23, p).data(), &lower[p], 4);
    std::memcpy(image.field(24, p).data(), &upper[p], 4);
  }
  const WarningSetpoints setpoints = warningSetpoints(image, 2);
  const ChromTable table = buildChromTable(ChromArchive::kMeasurement, chromHeader("MSA"),
                                           recordsOf({measRecord(at(0), {90.0F, 0.7F})}));

  const ChartSeries methane = chartSeries(chartSource(table), 0, &setpoints);
  EXPECT_EQ(methane.lowerSetpoint, 85.0F);
  EXPECT_EQ(methane.upperSetpoint, 98.0F);
  const ChartSeries density = chartSeries(chartSource(table), 1, &setpoints);
  EXPECT_EQ(density.lowerSetpoint, std::nullopt);  // no number held: no line
  EXPECT_EQ(density.upperSetpoint, 0.75F);
  EXPECT_EQ(chartSeries(chartSource(table), 0).upperSetpoint, std::nullopt);  // no image, no lines

  // A configuration file holds the same tables.
  ConfigFileRecord record;
  imageToConfigRecord(image, record);
  const WarningSetpoints fromFile = warningSetpoints(record, 2);
  EXPECT_EQ(fromFile.lower, setpoints.lower);
  EXPECT_EQ(fromFile.upper, setpoints.upper);
}

TEST(ChartSeries, ParametersAreFoundByTheirShownName) {
  const ChromTable table = buildChromTable(ChromArchive::kHourly, chromHeader("HOU"), recordsOf({}));
  const ChartSource source = chartSource(table);
  EXPECT_EQ(source.names, (std::vector<std::string>{"CH4", "Плотность"}));
  EXPECT_EQ(source.units, (std::vector<std::string>{"%", "кг/м3"}));
  EXPECT_EQ(chartParameterIndex(source, "Плотность"), 1);
  EXPECT_EQ(chartParameterIndex(source, "CO2"), std::nullopt);
}

TEST(ChartSeries, MoistureValuesWithoutANumberAreGaps) {
  const auto record = [](int hour, std::uint8_t status, float dewPoint) {
    std::array<std::uint8_t, WmtHourDayRecord::kSize> r{};
    Date3{24, 3, 1}.toBytes(r.data());
    r[WmtHourDayRecord::kStartTimeAt] = static_cast<std::uint8_t>(hour);
    r[WmtHourDayRecord::kStatusAt] = status;
    std::memcpy(&r[WmtHourDayRecord::kValuesAt], &dewPoint, 4);
    appendCrc16(r.data(), r.size() - 2);
    return r;
  };
  std::vector<std::uint8_t> bytes;
  for (const auto& r : {record(0, 0, -12.5F), record(1, kMeterOff, -12.0F),
                        record(2, kNoMeterLink, -11.0F), record(3, 0, kNan),
                        record(4, 0, -10.5F), record(5, 0, -10.0F)}) {
    bytes.insert(bytes.end(), r.begin(), r.end());
  }
  const MoistureTable table = buildMoistureTable(
      MoistureArchive::kHourly, chromHeader("HOU"),
      ArchiveRecords(WmtHourDayRecord::kSize, std::move(bytes)));
  const ChartSource source = chartSource(table);
  EXPECT_EQ(source.names[0], "Т т.росы WDP при Рраб.");
  EXPECT_EQ(source.units[0], "°С");
  // "Выкл.", "0" (no link) and "NAN" break the line.
  EXPECT_EQ(runValues(chartSeries(source, 0)),
            (std::vector<std::vector<double>>{{-12.5}, {-10.5, -10.0}}));
}

}  // namespace
}  // namespace zvc
