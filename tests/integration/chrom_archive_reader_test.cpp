// The chromatograph archive readers against a running zvc-sim.
#include "core/archives/chrom_archive_reader.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "core/link/kpsbox.h"
#include "core/link/link_settings.h"
#include "core/tables/config_image.h"
#include "core/tables/table_service.h"
#include "core/ui/connection_state.h"
#include "sim_process.h"
#include "support/recording_frontend.h"
#include "support/temp_folder.h"

namespace zvc {
namespace {

constexpr std::uint8_t kSimCom = 45;

class ChromReaderSim : public ::testing::Test {
 protected:
  void start(std::vector<std::string> options = {}) {
    options.insert(options.end(), {"--pty", "--time", "2026-03-15 12:34:56", "--seed", "7"});
    sim = std::make_unique<test::SimProcess>(options);
    engine.linkType = kpsbox::kDirectLine;
    engine.comPort = kSimCom;
    engine.comPortOverrides[kSimCom] = sim->ptyPath();
    engine.baudRate = 115200;
    engine.tries = 1;
    engine.responseTimeoutMs = 500;
    engine.interByteTimeoutMs = 100;
    engine.openPortPerExchange = false;
    ASSERT_TRUE(engine.OpenPort());
    image.field(41, 0)[0] = 1;
  }

  std::vector<DateTime6> hours(const ChromReading& reading) {
    std::vector<DateTime6> list;
    for (std::size_t i = 0; i < reading.records.count(); ++i) {
      list.push_back(ChromHourDayRecord{reading.records[i]}.startHour().toDateTime6());
    }
    return list;
  }

  std::unique_ptr<test::SimProcess> sim;
  test::TempFolder folder;
  kpsbox engine{1};
  ConnectionState connection{.engine = &engine};
  ConfigImage image;
  LinkSettings settings;
  test::RecordingFrontend frontend;
  TableService service{connection, image, settings, frontend};
  ChromArchiveReader reader{connection, service, folder.path()};
};

TEST_F(ChromReaderSim, MeasurementSeriesLongerThan256Answers) {
  start();
  // Four minutes apart, two records per answer: three days are about 540 answers.
  const auto reading = reader.readMeasurements(0, {26, 3, 12, 12, 0, 0}, {26, 3, 15, 12, 0, 0});
  ASSERT_TRUE(reading) << engine.ErrorText();
  EXPECT_GT(reading->records.count(), 512U);
  EXPECT_EQ(reading->header.signature(), "MSA");
  EXPECT_EQ(reading->header.recordCount(), reading->records.count());
  EXPECT_TRUE(frontend.messages.empty());
}

TEST_F(ChromReaderSim, EmptyPeriodsAreTold) {
  start();
  EXPECT_FALSE(reader.readMeasurements(0, {26, 4, 1, 0, 0, 0}, {26, 4, 2, 0, 0, 0}));
  EXPECT_EQ(frontend.messages.back().line1, "Нет данных за указанный период");
  EXPECT_FALSE(reader.readHourDay(false, 0, {26, 4, 1, 0, 0, 0}, {26, 4, 2, 0, 0, 0}));
  EXPECT_EQ(frontend.messages.back().line1, "Нет данных за указанный период");
}

TEST_F(ChromReaderSim, HourlyGapGivesNoDuplicates) {
  start({"--fault", "hourly-gap"});
  const auto range = reader.queryRange(false);
  ASSERT_TRUE(range) << engine.ErrorText();
  const DateTime6 start = addHours(range->last, -23);
  const auto reading = reader.readHourDay(false, 0, start, range->last);
  ASSERT_TRUE(reading);
  const auto list = hours(*reading);
  EXPECT_EQ(std::set<DateTime6>(list.begin(), list.end()).size(), list.size());
  EXPECT_EQ(list.size(), 21U);  // 24 hours, three missing
  EXPECT_TRUE(frontend.messages.empty());
}

// The hours (days) of a reading, and the run of units from `first` to `last` they should be.
std::vector<DateTime6> unitsOf(const ChromReading& reading, bool daily) {
  std::vector<DateTime6> list;
  for (std::size_t i = 0; i < reading.records.count(); ++i) {
    list.push_back(hourDayRecordTime(reading.records[i], daily));
  }
  return list;
}

std::vector<DateTime6> unitRun(bool daily, DateTime6 first, const DateTime6& last) {
  std::vector<DateTime6> list;
  for (; first <= last; first = daily ? addDays(first, 1) : addHours(first, 1)) {
    list.push_back(first);
  }
  return list;
}

TEST_F(ChromReaderSim, AnswersStartingEarlyLoseNoRecordAndKeepNoneTwice) {
  for (const char* fault : {"early-answer once", "early-answer every"}) {
    for (const bool daily : {false, true}) {
      for (const bool moisture : {false, true}) {
        SCOPED_TRACE(std::string(fault) + (daily ? " daily" : " hourly") +
                     (moisture ? " moisture meter" : " chromatograph"));
        start({"--fault", fault});
        frontend.messages.clear();
        const auto range = reader.queryRange(daily);
        ASSERT_TRUE(range) << engine.ErrorText();
        const DateTime6 first = daily ? addDays(range->last, -9) : addHours(range->last, -9);
        // The hourly check asks about the hour before the start; reading on keeps it.
        frontend.answers = {true};
        const auto reading = moisture ? reader.readMoistureHourDay(daily, first, range->last)
                                      : reader.readHourDay(daily, 0, first, range->last);
        ASSERT_TRUE(reading);
        const DateTime6 early = daily ? addDays(first, -1) : addHours(first, -1);
        EXPECT_EQ(unitsOf(*reading, daily), unitRun(daily, early, range->last));
        EXPECT_FALSE(reading->cutShort);
        ASSERT_EQ(frontend.messages.size(), daily ? 0U : 1U);
        if (!daily) {
          EXPECT_EQ(frontend.messages[0].line1,
                    "Передаваемые контроллером данные не соответствуют");
        }
        engine.ClosePort();
      }
    }
  }
}

TEST_F(ChromReaderSim, MismatchAnsweredNoKeepsTheRecord) {
  start({"--fault", "records-outside-period"});
  const auto range = reader.queryRange(false);
  ASSERT_TRUE(range);
  const auto reading = reader.readHourDay(false, 0, addHours(range->last, -5), range->last);
  ASSERT_TRUE(reading);
  EXPECT_EQ(reading->records.count(), 1U);
  EXPECT_EQ(frontend.messages.back().line1, "Передаваемые контроллером данные не соответствуют");
}

TEST_F(ChromReaderSim, DailyReadingWithinItsRange) {
  start();
  const auto range = reader.queryRange(true);
  ASSERT_TRUE(range);
  const auto reading = reader.readHourDay(true, 1, addDays(range->last, -9), range->last);
  ASSERT_TRUE(reading);
  EXPECT_EQ(reading->records.count(), 10U);
  EXPECT_EQ(reading->header.signature(), "DAY");
  EXPECT_EQ(reading->header.run(), 1);
  EXPECT_TRUE(frontend.messages.empty());
}

}  // namespace
}  // namespace zvc
