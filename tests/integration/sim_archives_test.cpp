#include "sim/sim_archives.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

#include "core/common/crc16.h"

namespace zvc::sim {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Date6 = std::array<std::uint8_t, 6>;

// 15 March 2026, 12:34:56: after the contract hour, so yesterday is the last full gas day.
constexpr std::uint8_t kNow[6] = {26, 3, 15, 12, 34, 56};
constexpr std::uint32_t kSeed = 20260315;

constexpr std::uint8_t kDiagnostic = 0;
constexpr std::uint8_t kIntervention = 1;
constexpr std::uint8_t kCalibration = 5;
constexpr std::uint8_t kMeasurement = 6;
constexpr std::uint8_t kVerification = 7;

Bytes indexRequest(std::uint8_t kind, std::uint32_t first, std::uint8_t count) {
  return {0,
          kind,
          static_cast<std::uint8_t>(first),
          static_cast<std::uint8_t>(first >> 8),
          static_cast<std::uint8_t>(first >> 16),
          static_cast<std::uint8_t>(first >> 24),
          count};
}

Bytes periodRequest(std::uint8_t source, std::uint8_t kind, std::uint8_t sequence,
                    const Date6& begin, const Date6& end) {
  Bytes request = {source, kind, sequence};
  request.insert(request.end(), begin.begin(), begin.end());
  request.insert(request.end(), end.begin(), end.end());
  return request;
}

Bytes hourDayRequest(std::uint8_t run, std::uint8_t device, const Bytes& start, const Bytes& end) {
  Bytes request = {3, run, device};
  request.insert(request.end(), start.begin(), start.end());
  request.insert(request.end(), end.begin(), end.end());
  return request;
}

std::uint32_t u32At(const std::uint8_t* at) {
  return at[0] | (at[1] << 8) | (at[2] << 16) | (static_cast<std::uint32_t>(at[3]) << 24);
}

bool sound(const Bytes& record) {
  return Crc16(record.data(), record.size()) == 0;
}

Date6 dateOf(const Bytes& record) {
  Date6 date;
  std::copy_n(record.begin(), 6, date.begin());
  return date;
}

struct Bounds {
  std::uint32_t oldest;
  std::uint32_t newest;
};

Bounds bounds(const SimArchives& archives, int table) {
  std::uint8_t image[8];
  archives.fillTable(table, image);
  return {u32At(image), u32At(image + 4)};
}

Bytes table27(const SimArchives& archives) {
  Bytes image(18);
  archives.fillTable(27, image);
  return image;
}

// Every answer of one function-8 series, read as a reader does it.
struct Series {
  std::vector<ArchiveReply> answers;
  std::vector<Bytes> records;
};

Series readSeries(SimArchives& archives, std::uint8_t source, std::uint8_t kind, const Date6& begin,
                  const Date6& end, std::size_t recordSize) {
  Series series;
  std::uint8_t sequence = 0;
  for (;;) {
    ArchiveReply reply = archives.handle(8, periodRequest(source, kind, sequence, begin, end));
    EXPECT_EQ(reply.errorCode, 0) << "sequence " << int(sequence);
    if (reply.errorCode != 0) break;
    const Bytes& p = reply.payload;
    EXPECT_LE(p.size() + 6, 255u);
    EXPECT_EQ(p.size(), 4 + p[2] * recordSize);
    for (std::size_t i = 0; i < p[2]; ++i) {
      series.records.emplace_back(p.begin() + 4 + i * recordSize,
                                  p.begin() + 4 + (i + 1) * recordSize);
    }
    const bool more = p[3] != 0;
    const bool empty = p[2] == 0;
    series.answers.push_back(std::move(reply));
    if (empty || !more) break;
    sequence = sequence == 255 ? 1 : sequence + 1;
  }
  return series;
}

class SimArchivesTest : public ::testing::Test {
 protected:
  SimArchives archives{kSeed, kNow, ArchiveFaults{}};
};

TEST_F(SimArchivesTest, SameSeedGivesSameBytesOtherSeedOther) {
  SimArchives twin(kSeed, kNow, ArchiveFaults{});
  SimArchives other(kSeed + 1, kNow, ArchiveFaults{});
  const Bytes period =
      periodRequest(0x10, kMeasurement, 0, {26, 3, 14, 0, 0, 0}, {26, 3, 15, 0, 0, 0});
  const Bytes index = indexRequest(kDiagnostic, 2000, 11);
  const Bytes hourly = hourDayRequest(1, 0, {26, 3, 14, 5}, {26, 3, 14, 20});
  const Bytes daily = hourDayRequest(0, 1, {26, 2, 1}, {26, 2, 20});
  const std::pair<int, Bytes> requests[] = {{8, period}, {7, index}, {15, hourly}, {16, daily}};
  for (const auto& [function, request] : requests) {
    const ArchiveReply first = archives.handle(function, request);
    const ArchiveReply second = twin.handle(function, request);
    ASSERT_EQ(first.errorCode, 0) << "function " << function;
    EXPECT_EQ(first.payload, second.payload) << "function " << function;
    EXPECT_NE(first.payload, other.handle(function, request).payload) << "function " << function;
  }
  EXPECT_EQ(table27(archives), table27(twin));
}

// Each archive read whole by period: sound records of the kind's size, in time
// order, inside the period, as many per answer as the frame allows.
TEST_F(SimArchivesTest, WholeArchivesByPeriodAreSoundAndOrdered) {
  struct Case {
    std::uint8_t source, kind;
    std::size_t size;
    std::size_t perAnswer;
  };
  const Case cases[] = {{0, kDiagnostic, 22, 11},    {0, kIntervention, 24, 10},
                        {0, kCalibration, 170, 1},   {0, kVerification, 90, 2},
                        {0x00, kMeasurement, 94, 2}, {0x10, kMeasurement, 94, 2},
                        {0x01, kMeasurement, 29, 8}};
  const Date6 begin = {24, 1, 1, 0, 0, 0};
  const Date6 end = {26, 3, 15, 12, 34, 56};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "kind " << int(c.kind) << " source " << int(c.source));
    const Series series = readSeries(archives, c.source, c.kind, begin, end, c.size);
    ASSERT_GT(series.records.size(), 50u);
    for (std::size_t i = 0; i + 1 < series.answers.size(); ++i) {
      EXPECT_EQ(series.answers[i].payload[2], c.perAnswer);
      EXPECT_NE(series.answers[i].payload[3], 0);
      EXPECT_EQ(series.answers[i].payload[0], 0);
    }
    EXPECT_EQ(series.answers.back().payload[3], 0);
    Date6 previous = begin;
    for (const Bytes& record : series.records) {
      EXPECT_TRUE(sound(record));
      EXPECT_LE(previous, dateOf(record));
      previous = dateOf(record);
    }
    EXPECT_LE(previous, end);
  }
}

TEST_F(SimArchivesTest, RequestAfterTheLastAnswerAndEmptyPeriodGiveNoRecords) {
  const Date6 begin = {26, 3, 15, 11, 0, 0};
  const Date6 end = {26, 3, 15, 11, 59, 59};
  const Series series = readSeries(archives, 0, kMeasurement, begin, end, 94);
  ASSERT_EQ(series.records.size(), 15u);  // one analysis every four minutes
  const auto nextSequence = static_cast<std::uint8_t>(series.answers.size());
  const ArchiveReply after =
      archives.handle(8, periodRequest(0, kMeasurement, nextSequence, begin, end));
  ASSERT_EQ(after.errorCode, 0);
  EXPECT_EQ(after.payload, (Bytes{0, 0, 0, 0}));

  for (const Date6& emptyBegin : {Date6{10, 1, 1, 0, 0, 0}, Date6{26, 3, 15, 12, 35, 0}}) {
    Date6 emptyEnd = emptyBegin;
    emptyEnd[2] += 1;
    const ArchiveReply empty =
        archives.handle(8, periodRequest(0, kDiagnostic, 0, emptyBegin, emptyEnd));
    ASSERT_EQ(empty.errorCode, 0);
    EXPECT_EQ(empty.payload, (Bytes{0, 0, 0, 0}));
  }
}

TEST_F(SimArchivesTest, IndexReadingPagesThroughTheBoundsOfTable10) {
  const Bounds diagnostic = bounds(archives, 10);
  EXPECT_EQ(diagnostic.oldest, 1000u);
  ASSERT_GT(diagnostic.newest, diagnostic.oldest + 1000);

  std::uint32_t next = diagnostic.oldest;
  std::size_t total = 0;
  Date6 previous{};
  while (next <= diagnostic.newest) {
    const ArchiveReply reply = archives.handle(7, indexRequest(kDiagnostic, next, 11));
    ASSERT_EQ(reply.errorCode, 0) << next;
    const Bytes& p = reply.payload;
    const std::size_t n = p[6];
    ASSERT_EQ(p.size(), 7 + n * 22);
    ASSERT_LE(p.size() + 6, 255u);
    EXPECT_EQ(u32At(&p[2]), next);
    ASSERT_EQ(n, std::min<std::size_t>(11, diagnostic.newest - next + 1));
    for (std::size_t i = 0; i < n; ++i) {
      const Bytes record(p.begin() + 7 + i * 22, p.begin() + 7 + (i + 1) * 22);
      EXPECT_TRUE(sound(record));
      EXPECT_LT(previous, dateOf(record));
      previous = dateOf(record);
    }
    next += static_cast<std::uint32_t>(n);
    total += n;
  }
  EXPECT_EQ(total, diagnostic.newest - diagnostic.oldest + 1);

  for (std::uint32_t outside : {diagnostic.oldest - 1, diagnostic.newest + 1, 0u, 0xFFFFFFFFu}) {
    EXPECT_EQ(archives.handle(7, indexRequest(kDiagnostic, outside, 5)).errorCode, 18) << outside;
  }
}

// The oldest records by index and by period are the same records.
TEST_F(SimArchivesTest, IndexAndPeriodReadingsAgree) {
  for (std::uint8_t kind : {kDiagnostic, kIntervention}) {
    const std::size_t size = kind == kDiagnostic ? 22 : 24;
    const std::uint8_t count = kind == kDiagnostic ? 11 : 10;
    const Bounds b = bounds(archives, kind == kDiagnostic ? 10 : 11);
    const ArchiveReply byIndex = archives.handle(7, indexRequest(kind, b.oldest, count));
    ASSERT_EQ(byIndex.errorCode, 0);
    ASSERT_EQ(byIndex.payload[6], count);
    const ArchiveReply byPeriod =
        archives.handle(8, periodRequest(0, kind, 0, {20, 1, 1, 0, 0, 0}, {26, 3, 15, 12, 34, 56}));
    ASSERT_EQ(byPeriod.errorCode, 0);
    ASSERT_EQ(byPeriod.payload[2], count);
    EXPECT_TRUE(std::equal(byIndex.payload.begin() + 7, byIndex.payload.end(),
                           byPeriod.payload.begin() + 4,
                           byPeriod.payload.begin() + 4 + count * size));
  }
}

TEST_F(SimArchivesTest, HostileRequestsGetControllerErrors) {
  const Bytes goodPeriod =
      periodRequest(0, kDiagnostic, 0, {26, 3, 1, 0, 0, 0}, {26, 3, 2, 0, 0, 0});
  struct Case {
    const char* what;
    std::uint8_t function;
    Bytes payload;
    std::uint8_t code;
  };
  const Case cases[] = {
      {"unknown function", 9, {}, 1},
      {"index: short request", 7, Bytes{0, 0, 0xE8, 3, 0, 0}, 2},
      {"index: count 0", 7, indexRequest(kDiagnostic, 1000, 0), 4},
      {"index: 12 diagnostic records", 7, indexRequest(kDiagnostic, 1000, 12), 4},
      {"index: 11 intervention records", 7, indexRequest(kIntervention, 500, 11), 4},
      {"index: count 255", 7, indexRequest(kDiagnostic, 1000, 255), 4},
      {"index: kind 5", 7, indexRequest(5, 1000, 1), 4},
      {"period: long request", 8,
       [&] {
         Bytes b = goodPeriod;
         b.push_back(0);
         return b;
       }(),
       2},
      {"period: kind 3", 8, periodRequest(0, 3, 0, {26, 3, 1, 0, 0, 0}, {26, 3, 2, 0, 0, 0}), 4},
      {"period: run 2 of the chromatograph", 8,
       periodRequest(0x20, kMeasurement, 0, {26, 3, 1, 0, 0, 0}, {26, 3, 2, 0, 0, 0}), 4},
      {"period: moisture meter on run 2", 8,
       periodRequest(0x11, kMeasurement, 0, {26, 3, 1, 0, 0, 0}, {26, 3, 2, 0, 0, 0}), 4},
      {"period: month 13", 8,
       periodRequest(0, kDiagnostic, 0, {26, 13, 1, 0, 0, 0}, {26, 3, 2, 0, 0, 0}), 4},
      {"period: 30 February", 8,
       periodRequest(0, kDiagnostic, 0, {26, 2, 30, 0, 0, 0}, {26, 3, 2, 0, 0, 0}), 4},
      {"period: minute 60", 8,
       periodRequest(0, kDiagnostic, 0, {26, 3, 1, 0, 0, 0}, {26, 3, 2, 0, 60, 0}), 4},
      {"period: begin after end", 8,
       periodRequest(0, kDiagnostic, 0, {26, 3, 2, 0, 0, 1}, {26, 3, 2, 0, 0, 0}), 22},
      {"hourly: first byte not 3", 15,
       [] {
         Bytes b = hourDayRequest(0, 0, {26, 3, 1, 0}, {26, 3, 1, 5});
         b[0] = 2;
         return b;
       }(),
       4},
      {"hourly: run 2", 15, hourDayRequest(2, 0, {26, 3, 1, 0}, {26, 3, 1, 5}), 4},
      {"hourly: device 2", 15, hourDayRequest(0, 2, {26, 3, 1, 0}, {26, 3, 1, 5}), 4},
      {"hourly: moisture meter on run 2", 15, hourDayRequest(1, 1, {26, 3, 1, 0}, {26, 3, 1, 5}),
       4},
      {"hourly: hour 24", 15, hourDayRequest(0, 0, {26, 3, 1, 24}, {26, 3, 2, 5}), 4},
      {"hourly: daily-sized request", 15, hourDayRequest(0, 0, {26, 3, 1}, {26, 3, 2}), 2},
      {"hourly: start after end", 15, hourDayRequest(0, 0, {26, 3, 1, 6}, {26, 3, 1, 5}), 22},
      {"daily: month 13", 16, hourDayRequest(0, 0, {26, 13, 1}, {26, 3, 2}), 4},
      {"daily: day 0", 16, hourDayRequest(0, 1, {26, 3, 0}, {26, 3, 2}), 4},
      {"daily: start after end", 16, hourDayRequest(0, 0, {26, 3, 3}, {26, 3, 2}), 22},
  };
  for (const Case& c : cases) {
    const ArchiveReply reply = archives.handle(c.function, c.payload);
    EXPECT_EQ(reply.errorCode, c.code) << c.what;
    EXPECT_TRUE(reply.payload.empty()) << c.what;
  }
}

TEST_F(SimArchivesTest, SeriesOrderErrors) {
  const Date6 begin = {26, 3, 1, 0, 0, 0};
  const Date6 end = {26, 3, 10, 0, 0, 0};
  const auto send = [&](std::uint8_t sequence, const Date6& b, const Date6& e) {
    return archives.handle(8, periodRequest(0, kDiagnostic, sequence, b, e));
  };
  EXPECT_EQ(send(1, begin, end).errorCode, 20) << "no series started";

  const ArchiveReply first = send(0, begin, end);
  ASSERT_EQ(first.errorCode, 0);
  EXPECT_EQ(send(2, begin, end).errorCode, 20) << "number skipped";
  EXPECT_EQ(send(1, {26, 3, 1, 0, 0, 1}, end).errorCode, 21) << "other begin";
  EXPECT_EQ(send(1, begin, {26, 3, 9, 0, 0, 0}).errorCode, 21) << "other end";
  EXPECT_EQ(archives.handle(8, periodRequest(0, kIntervention, 1, begin, end)).errorCode, 20)
      << "other archive";

  // The refused requests left the series as it was.
  const ArchiveReply second = send(1, begin, end);
  ASSERT_EQ(second.errorCode, 0);
  EXPECT_LT(dateOf(Bytes(first.payload.end() - 22, first.payload.end())),
            dateOf(Bytes(second.payload.begin() + 4, second.payload.begin() + 26)));
  // A repeated request (its answer lost on the line) is answered again alike.
  EXPECT_EQ(send(1, begin, end).payload, second.payload);
  EXPECT_EQ(send(2, begin, end).errorCode, 0);
  // Number 0 starts the series afresh.
  EXPECT_EQ(send(0, begin, end).payload, first.payload);
}

TEST(SimArchivesFaults, LongSeriesNumbersBeyond255FromOneAgain) {
  ArchiveFaults faults;
  faults.longSeries = 300;
  SimArchives archives(kSeed, kNow, faults);
  // 360 analyses of one run in a day.
  const Date6 begin = {26, 3, 14, 0, 0, 0};
  const Date6 end = {26, 3, 15, 0, 0, 0};
  const Series series = readSeries(archives, 0x10, kMeasurement, begin, end, 94);
  ASSERT_GE(series.answers.size(), 300u);
  for (std::size_t i = 0; i < 300; ++i) EXPECT_EQ(series.answers[i].payload[2], 1) << i;
  EXPECT_EQ(series.answers[300].payload[2], 2);
  EXPECT_EQ(series.records.size(), 360u);
  for (std::size_t i = 1; i < series.records.size(); ++i) {
    EXPECT_LT(dateOf(series.records[i - 1]), dateOf(series.records[i])) << i;
  }
  // Number 0 always starts over.
  const ArchiveReply restart = archives.handle(8, periodRequest(0x10, kMeasurement, 0, begin, end));
  EXPECT_EQ(restart.payload, series.answers[0].payload);
}

TEST(SimArchivesFaults, ArchiveErrorFlagOnlyInPeriodAnswers) {
  ArchiveFaults faults;
  faults.archiveErrorFlag = true;
  SimArchives archives(kSeed, kNow, faults);
  const ArchiveReply withRecords = archives.handle(
      8, periodRequest(0, kVerification, 0, {26, 1, 1, 0, 0, 0}, {26, 3, 1, 0, 0, 0}));
  ASSERT_EQ(withRecords.errorCode, 0);
  EXPECT_EQ(withRecords.payload[0], 0x80);
  EXPECT_EQ(withRecords.payload[2], 2);
  const ArchiveReply byIndex = archives.handle(7, indexRequest(kDiagnostic, 1000, 1));
  EXPECT_EQ(byIndex.payload,
            SimArchives(kSeed, kNow, {}).handle(7, indexRequest(kDiagnostic, 1000, 1)).payload);
}

TEST(SimArchivesFaults, RecordsOutsideThePeriodComeFirst) {
  ArchiveFaults faults;
  faults.recordsOutsidePeriod = true;
  SimArchives archives(kSeed, kNow, faults);
  const Date6 begin = {26, 3, 14, 0, 0, 0};
  const Date6 end = {26, 3, 14, 6, 0, 0};
  const Series series = readSeries(archives, 0, kDiagnostic, begin, end, 22);
  ASSERT_GE(series.records.size(), 3u);
  EXPECT_LT(dateOf(series.records[0]), begin);
  EXPECT_LT(dateOf(series.records[1]), begin);
  EXPECT_LE(begin, dateOf(series.records[2]));

  const ArchiveReply hourly =
      archives.handle(15, hourDayRequest(0, 0, {26, 3, 14, 6}, {26, 3, 14, 9}));
  ASSERT_EQ(hourly.errorCode, 0);
  ASSERT_EQ(hourly.payload[0], 2);
  EXPECT_EQ(hourly.payload[1 + 3], 4) << "the hour two before the start";
}

TEST(SimArchivesFaults, EarlyAnswersStartOneRecordBeforeTheStart) {
  // The hour (day) of the first record of an answer from 06 h (the 10th) on.
  const auto firstHour = [](SimArchives& archives, std::uint8_t device) {
    return archives.handle(15, hourDayRequest(0, device, {26, 3, 14, 6}, {26, 3, 14, 9}))
        .payload[1 + 3];
  };
  const auto firstDay = [](SimArchives& archives, std::uint8_t run) {
    return archives.handle(16, hourDayRequest(run, 0, {26, 3, 10}, {26, 3, 12})).payload[1 + 2];
  };
  ArchiveFaults faults;
  faults.earlyAnswer = EarlyAnswer::kOnce;
  SimArchives once(kSeed, kNow, faults);
  // Once for each archive.
  EXPECT_EQ(firstHour(once, 0), 5);
  EXPECT_EQ(firstHour(once, 0), 6);
  EXPECT_EQ(firstHour(once, 1), 5);
  EXPECT_EQ(firstDay(once, 0), 9);
  EXPECT_EQ(firstDay(once, 1), 9);
  EXPECT_EQ(firstDay(once, 1), 10);

  faults.earlyAnswer = EarlyAnswer::kEvery;
  SimArchives every(kSeed, kNow, faults);
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(firstHour(every, 1), 5);
    EXPECT_EQ(firstDay(every, 0), 9);
  }
}

TEST(SimArchivesFaults, WithoutAMoistureMeterItsArchivesAreEmpty) {
  SimArchives archives(kSeed, kNow, {}, false);
  EXPECT_EQ(archives.handle(15, hourDayRequest(0, 1, {26, 3, 14, 6}, {26, 3, 14, 9})).payload,
            Bytes{0});
  EXPECT_EQ(archives.handle(16, hourDayRequest(0, 1, {26, 3, 10}, {26, 3, 12})).payload, Bytes{0});
  const Series measurements =
      readSeries(archives, 1, kMeasurement, {26, 3, 14, 0, 0, 0}, {26, 3, 15, 0, 0, 0}, 29);
  EXPECT_TRUE(measurements.records.empty());
  EXPECT_EQ(archives.handle(15, hourDayRequest(0, 0, {26, 3, 14, 6}, {26, 3, 14, 9})).payload[0], 2)
      << "the chromatograph's archives stay";
}

TEST(SimArchivesFaults, CorruptRecordsOnlyWhenAsked) {
  const auto unsoundCount = [](bool corrupt) {
    ArchiveFaults faults;
    faults.corruptRecords = corrupt;
    SimArchives archives(kSeed, kNow, faults);
    const Series series =
        readSeries(archives, 0, kMeasurement, {26, 3, 10, 0, 0, 0}, {26, 3, 15, 0, 0, 0}, 94);
    EXPECT_GT(series.records.size(), 1000u);
    return std::count_if(series.records.begin(), series.records.end(),
                         [](const Bytes& r) { return !sound(r); });
  };
  EXPECT_EQ(unsoundCount(false), 0);
  const auto unsound = unsoundCount(true);
  EXPECT_GT(unsound, 5);
  EXPECT_LT(unsound, 200);
}

// Hourly records of the last hours, read as the readers do: from the next
// expected hour on, while answers are full.
std::vector<Bytes> readHours(SimArchives& archives, std::uint8_t run, std::uint8_t device,
                             Bytes start, const Bytes& end) {
  const std::size_t size = device == 0 ? 94 : 28;
  const std::size_t full = device == 0 ? 2 : 8;
  std::vector<Bytes> records;
  for (;;) {
    const ArchiveReply reply = archives.handle(15, hourDayRequest(run, device, start, end));
    EXPECT_EQ(reply.errorCode, 0);
    const Bytes& p = reply.payload;
    EXPECT_LE(p.size() + 6, 255u);
    EXPECT_EQ(p.size(), 1 + p[0] * size);
    for (std::size_t i = 0; i < p[0]; ++i) {
      records.emplace_back(p.begin() + 1 + i * size, p.begin() + 1 + (i + 1) * size);
    }
    if (p[0] < full) return records;
    // Next request from the hour after the last record.
    const Bytes& last = records.back();
    start = {last[0], last[1], last[2], static_cast<std::uint8_t>(last[3] + 1)};
    // These tests stay within one day.
    if (start[3] == 24 || end < start) return records;
  }
}

TEST_F(SimArchivesTest, HourlyRecordsEndWithTheLastFullHour) {
  for (std::uint8_t device : {0, 1}) {
    const std::vector<Bytes> hours =
        readHours(archives, 0, device, {26, 3, 15, 0}, {26, 3, 15, 23});
    ASSERT_EQ(hours.size(), 12u) << "00 h … 11 h, the hour of 12:34 still runs";
    for (std::size_t h = 0; h < hours.size(); ++h) {
      EXPECT_TRUE(sound(hours[h]));
      EXPECT_EQ(hours[h][3], h);
      EXPECT_EQ(hours[h][6], h + 1) << "end hour";
    }
  }
}

TEST(SimArchivesFaults, HourlyGapLeavesThreeHoursOutOfEveryHourlyArchive) {
  ArchiveFaults faults;
  faults.hourlyGap = true;
  SimArchives archives(kSeed, kNow, faults);
  // Newest hour 11 h; 1, 2 and 3 h are missing.
  for (std::uint8_t device : {0, 1}) {
    const std::vector<Bytes> hours =
        readHours(archives, 0, device, {26, 3, 15, 0}, {26, 3, 15, 11});
    std::vector<int> present;
    for (const Bytes& record : hours) present.push_back(record[3]);
    EXPECT_EQ(present, (std::vector<int>{0, 4, 5, 6, 7, 8, 9, 10, 11})) << "device " << int(device);
  }
}

TEST_F(SimArchivesTest, DailyRecordsFollowTheGasDay) {
  // One day asked, one day answered; yesterday is the newest.
  for (std::uint8_t device : {0, 1}) {
    const ArchiveReply day =
        archives.handle(16, hourDayRequest(0, device, {26, 3, 10}, {26, 3, 10}));
    ASSERT_EQ(day.errorCode, 0);
    ASSERT_EQ(day.payload[0], 1);
    const Bytes record(day.payload.begin() + 1, day.payload.end());
    EXPECT_TRUE(sound(record));
    EXPECT_EQ(Bytes(record.begin(), record.begin() + 9), (Bytes{26, 3, 10, 9, 0, 0, 0x89, 0, 0}));

    const ArchiveReply last =
        archives.handle(16, hourDayRequest(0, device, {26, 3, 14}, {26, 3, 20}));
    ASSERT_EQ(last.payload[0], 1);
    EXPECT_EQ(Bytes(last.payload.begin() + 1, last.payload.begin() + 4), (Bytes{26, 3, 14}));
  }
  const ArchiveReply week = archives.handle(16, hourDayRequest(1, 0, {26, 3, 1}, {26, 3, 7}));
  EXPECT_EQ(week.payload[0], 2) << "two chromatograph records fill an answer";
  const ArchiveReply moistureWeek =
      archives.handle(16, hourDayRequest(0, 1, {26, 3, 1}, {26, 3, 7}));
  EXPECT_EQ(moistureWeek.payload[0], 7);
}

// Table 27 names the oldest record of each archive as the readers find it.
TEST_F(SimArchivesTest, Table27MatchesTheOldestRecords) {
  const Bytes dates = table27(archives);

  const Date6 measurement = {dates[0], dates[1], dates[2], dates[3], dates[4], dates[5]};
  const Series oldest = readSeries(archives, 0, kMeasurement, {20, 1, 1, 0, 0, 0}, measurement, 94);
  ASSERT_EQ(oldest.records.size(), 1u);
  EXPECT_EQ(dateOf(oldest.records[0]), measurement);

  EXPECT_EQ(dates[10], 0);
  EXPECT_EQ(dates[11], 0);
  const Bytes hour(dates.begin() + 6, dates.begin() + 10);
  const ArchiveReply hourly = archives.handle(15, hourDayRequest(0, 0, {20, 1, 1, 0}, hour));
  ASSERT_EQ(hourly.payload[0], 1);
  EXPECT_EQ(Bytes(hourly.payload.begin() + 1, hourly.payload.begin() + 5), hour);

  // Daily: the end of the oldest gas day, flagged; the oldest record is of the
  // day before, the second one of that day.
  EXPECT_EQ(dates[17], 0x80);
  EXPECT_EQ(dates[15], 9);
  const Bytes dayEnd(dates.begin() + 12, dates.begin() + 15);
  const ArchiveReply daily = archives.handle(16, hourDayRequest(0, 0, {20, 1, 1}, dayEnd));
  ASSERT_EQ(daily.payload[0], 2);
  const Bytes oldestDay(daily.payload.begin() + 1, daily.payload.begin() + 95);
  const Bytes secondDay(daily.payload.begin() + 95, daily.payload.end());
  EXPECT_LT(Bytes(oldestDay.begin(), oldestDay.begin() + 3), dayEnd);
  EXPECT_EQ(Bytes(secondDay.begin(), secondDay.begin() + 3), dayEnd);
  EXPECT_EQ(oldestDay[6], 9) << "the oldest gas day was not recorded whole: no flag";
  EXPECT_EQ(secondDay[6], 0x89);
}

TEST_F(SimArchivesTest, TablesAreFilledWithinTheirImage) {
  EXPECT_TRUE(archives.ownsTable(10));
  EXPECT_TRUE(archives.ownsTable(11));
  EXPECT_TRUE(archives.ownsTable(12));
  EXPECT_TRUE(archives.ownsTable(27));
  EXPECT_FALSE(archives.ownsTable(2));

  Bytes image(12, 0xEE);
  archives.fillTable(27, std::span(image).first(4));
  EXPECT_EQ(Bytes(image.begin() + 4, image.end()), Bytes(8, 0xEE));
  const Bounds intervention = bounds(archives, 11);
  EXPECT_EQ(intervention.oldest, 500u);
  EXPECT_EQ(intervention.newest, 2499u);
  const Bounds calibration = bounds(archives, 12);
  EXPECT_EQ(calibration.oldest, 1u);
  EXPECT_EQ(calibration.newest, 90u);
}

TEST(SimArchivesEmpty, ClockAtTheEpochGivesEmptyArchives) {
  const std::uint8_t epoch[6] = {0, 1, 1, 0, 0, 0};
  SimArchives archives(kSeed, epoch, {});
  const Bounds diagnostic = bounds(archives, 10);
  EXPECT_EQ(diagnostic.oldest, diagnostic.newest) << "equal indices: no record";
  EXPECT_EQ(archives.handle(7, indexRequest(kDiagnostic, diagnostic.oldest, 1)).errorCode, 18);
  EXPECT_EQ(table27(archives), (Bytes{1, 1, 1, 0, 0, 0, 1, 1, 1, 0, 0, 0, 1, 1, 1, 0, 0, 0}));
  const ArchiveReply hourly =
      archives.handle(15, hourDayRequest(0, 0, {0, 1, 1, 0}, {0, 1, 1, 23}));
  EXPECT_EQ(hourly.payload, Bytes{0});
}

}  // namespace
}  // namespace zvc::sim
