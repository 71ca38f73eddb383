// The hourly and daily reading loop on scripted answers: where each request starts, which records
// are kept, and how the reading ends.
#include "core/archives/hour_day_series.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace zvc {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::size_t kRecordSize = 10;
constexpr std::size_t kFullAnswer = 2;
constexpr int kFailure = -1;  // an answer script entry: the exchange failed

// Hourly units are hours of 15.03.26, daily units days of March 2026.
DateTime6 unit(bool daily, int n) {
  return daily ? DateTime6{26, 3, static_cast<std::uint8_t>(n), 0, 0, 0}
               : DateTime6{26, 3, 15, static_cast<std::uint8_t>(n), 0, 0};
}

int unitOf(bool daily, const DateTime6& t) {
  return daily ? t.day : t.hour;
}

Bytes answer(bool daily, const std::vector<int>& units) {
  Bytes payload{static_cast<std::uint8_t>(units.size())};
  for (int n : units) {
    Bytes record(kRecordSize, 0);
    unit(daily, n).toBytes(record.data());  // date and start hour lead the record
    payload.insert(payload.end(), record.begin(), record.end());
  }
  return payload;
}

struct Reading {
  HourDayEnd end = HourDayEnd::kComplete;
  std::vector<int> requests;  // the start of each request
  std::vector<int> kept;
};

// Reads `first`..`last` from a controller that gives the scripted answers in turn; {kFailure}
// is a failed exchange. `keep` decides on each new record.
Reading readScripted(bool daily, int first, int last, const std::vector<std::vector<int>>& script,
                     std::function<RecordChoice(int)> keep = nullptr) {
  Reading run;
  std::size_t next = 0;
  Bytes current;
  HourDaySeriesSteps steps;
  steps.exchange =
      [&](const HourDayArchiveRequest& request) -> std::optional<std::span<const std::uint8_t>> {
    EXPECT_EQ(request.end, unit(daily, last));
    run.requests.push_back(unitOf(daily, request.start));
    if (next >= script.size()) {
      ADD_FAILURE() << "a request after the last scripted answer";
      return std::nullopt;
    }
    const std::vector<int>& units = script[next++];
    if (units == std::vector<int>{kFailure}) return std::nullopt;
    current = answer(daily, units);
    return std::span<const std::uint8_t>(current);
  };
  steps.record = [&](std::span<const std::uint8_t> record, const DateTime6& time,
                     const DateTime6&) {
    EXPECT_EQ(record.size(), kRecordSize);
    const int n = unitOf(daily, time);
    const RecordChoice choice = keep ? keep(n) : RecordChoice::kKeep;
    if (choice != RecordChoice::kRefuse) run.kept.push_back(n);
    return choice;
  };
  const HourDaySeries series{
      {daily, 0, 0, unit(daily, first), unit(daily, last)}, kRecordSize, kFullAnswer};
  run.end = runHourDaySeries(series, steps);
  EXPECT_EQ(next, script.size()) << "scripted answers left unasked";
  return run;
}

struct Case {
  const char* name;
  bool daily;
  int first, last;
  std::vector<std::vector<int>> script;
  HourDayEnd end;
  std::vector<int> requests;
  std::vector<int> kept;
};

TEST(HourDaySeries, NoRecordLostNoneTwiceAndTheLoopEnds) {
  const Case cases[] = {
      {"in step",
       false,
       10,
       13,
       {{10, 11}, {12, 13}},
       HourDayEnd::kComplete,
       {10, 12},
       {10, 11, 12, 13}},
      // Every answer starts one hour early: the early hour is kept once, each repeat dropped.
      {"every answer early",
       false,
       10,
       13,
       {{9, 10}, {10, 11}, {11, 12}, {12, 13}},
       HourDayEnd::kComplete,
       {10, 11, 12, 13},
       {9, 10, 11, 12, 13}},
      // Only the first answer starts a day early: the next request asks for the day after the
      // last one kept, not one more.
      {"first answer a day early",
       true,
       5,
       8,
       {{4, 5}, {6, 7}, {8}},
       HourDayEnd::kComplete,
       {5, 6, 8},
       {4, 5, 6, 7, 8}},
      // A repeat among new records, and a gap in the archive.
      {"repeat and gap",
       false,
       10,
       15,
       {{10, 11}, {11, 13}, {14, 15}},
       HourDayEnd::kComplete,
       {10, 12, 14},
       {10, 11, 13, 14, 15}},
      // An answer that brings nothing new before the end: cut short, never asked again.
      {"stalled", false, 10, 15, {{9, 10}, {9, 10}}, HourDayEnd::kCutShort, {10, 11}, {9, 10}},
      {"stalled on older records",
       true,
       1,
       9,
       {{1, 2}, {3, 4}, {2, 3}},
       HourDayEnd::kCutShort,
       {1, 3, 5},
       {1, 2, 3, 4}},
      {"fewer than a full answer",
       false,
       10,
       15,
       {{10, 11}, {12}},
       HourDayEnd::kComplete,
       {10, 12},
       {10, 11, 12}},
      {"empty answer", false, 10, 15, {{}}, HourDayEnd::kComplete, {10}, {}},
      {"failed exchange",
       false,
       10,
       15,
       {{10, 11}, {kFailure}},
       HourDayEnd::kFailed,
       {10, 12},
       {10, 11}},
  };
  for (const Case& c : cases) {
    const Reading run = readScripted(c.daily, c.first, c.last, c.script);
    EXPECT_EQ(run.end, c.end) << c.name;
    EXPECT_EQ(run.requests, c.requests) << c.name;
    EXPECT_EQ(run.kept, c.kept) << c.name;
  }
}

TEST(HourDaySeries, TheRecordStepAndThePersonMayEndTheReading) {
  const auto stopAt = [](int hour, RecordChoice choice) {
    return [=](int n) { return n == hour ? choice : RecordChoice::kKeep; };
  };
  const Reading refused =
      readScripted(false, 10, 15, {{10, 11}}, stopAt(11, RecordChoice::kRefuse));
  EXPECT_EQ(refused.end, HourDayEnd::kStopped);
  EXPECT_EQ(refused.kept, (std::vector<int>{10}));
  const Reading kept =
      readScripted(false, 10, 15, {{10, 11}}, stopAt(10, RecordChoice::kKeepAndStop));
  EXPECT_EQ(kept.end, HourDayEnd::kStopped);
  EXPECT_EQ(kept.kept, (std::vector<int>{10}));

  HourDaySeriesSteps steps;
  Bytes full = answer(false, {10, 11});
  steps.exchange = [&](const HourDayArchiveRequest&) {
    return std::optional<std::span<const std::uint8_t>>(full);
  };
  steps.record = [](auto, const DateTime6&, const DateTime6&) { return RecordChoice::kKeep; };
  steps.stopRequested = [] { return true; };
  EXPECT_EQ(
      runHourDaySeries({{false, 0, 0, unit(false, 10), unit(false, 15)}, kRecordSize, 2}, steps),
      HourDayEnd::kStopped);
}

TEST(HourDaySeries, AnswerCountIsCutToTheRecordsThatArrived) {
  Bytes payload = answer(false, {10, 11});
  payload[0] = 9;
  EXPECT_EQ(hourDayRecordCount(payload, kRecordSize), 2U);
  payload.pop_back();
  EXPECT_EQ(hourDayRecordCount(payload, kRecordSize), 1U);
  EXPECT_EQ(hourDayRecordCount({}, kRecordSize), 0U);
}

}  // namespace
}  // namespace zvc
