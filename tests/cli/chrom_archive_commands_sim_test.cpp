// meas, hour and day against zvc-sim: the table printed as show prints a saved file, the period
// checked and clipped as the period dialog does, and the questions answered as scripts need.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli_process.h"
#include "cli_sim_fixture.h"
#include "core/common/calendar.h"
#include "core/common/format.h"

namespace zvc {
namespace {

using test::CliAgainstSim;
using test::CliRun;
using test::lines;
using test::SimProcess;

// Measurements of the last 10 days, hourly records of 62 days, daily ones of 400 gas days (contract
// hour 9), all ending at this clock.
const std::vector<std::string> kSimClock = {"--time", "2024-03-10 12:00:00"};

std::vector<std::string> simOptions(std::vector<std::string> extra = {}) {
  std::vector<std::string> options = kSimClock;
  options.insert(options.end(), extra.begin(), extra.end());
  return options;
}

bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// Caption and two heading rows come before the records.
constexpr std::size_t kLinesBeforeRecords = 3;

TEST_F(CliAgainstSim, MeasurementsArePrintedAndSavedAsShowShowsThem) {
  SimProcess sim(simOptions({"--pty"}));
  const std::vector<std::string> read = {
      "meas", "--run", "1", "--period", "2024-03-10 10:00:00", "2024-03-10 11:00:00"};
  const CliRun printed = overPty(sim, read);
  ASSERT_EQ(printed.status, 0) << printed.err;
  const auto shown = lines(printed.out);
  ASSERT_GT(shown.size(), kLinesBeforeRecords + 10);  // one every 4 minutes
  EXPECT_TRUE(shown[0].starts_with("Измерительные данные хроматографа (сер. № "));
  EXPECT_TRUE(shown[0].ends_with("за период  с  10.03.24 10:00:00  по  10.03.24 11:00:00"));
  EXPECT_TRUE(shown[1].starts_with("   Дата\t   Время\t"));
  EXPECT_TRUE(shown[3].starts_with(" 10.03.24\t 10:0")) << shown[3];

  std::vector<std::string> save = read;
  save.insert(save.end(), {"--save", file("m")});
  const CliRun saved = overPty(sim, save);
  ASSERT_EQ(saved.status, 0) << saved.err;
  EXPECT_EQ(saved.out, "");
  EXPECT_TRUE(contains(saved.err, "kind 6: Данные сохранены в файле m.mch.")) << saved.err;
  const CliRun reopened = run({"show", file("m.mch")});
  ASSERT_EQ(reopened.status, 0) << reopened.err;
  // The header's reading time is not in the table, so the two are the same.
  EXPECT_EQ(reopened.out, printed.out);
}

TEST_F(CliAgainstSim, APeriodWithoutRecordsIsToldAndPrintsNothing) {
  SimProcess sim(simOptions({"--pty"}));
  const CliRun empty = overPty(
      sim, {"meas", "--run", "2", "--period", "2024-01-01 00:00:00", "2024-01-02 00:00:00"});
  EXPECT_EQ(empty.status, 0) << empty.err;
  EXPECT_EQ(empty.out, "");
  EXPECT_TRUE(contains(empty.err, "kind 6: Нет данных за указанный период")) << empty.err;
}

TEST_F(CliAgainstSim, HourlyAndDailyPeriodsAreCheckedAndClippedAsTheDialogDoes) {
  SimProcess sim(simOptions({"--pty"}));
  const struct {
    std::vector<std::string> command;
    std::size_t records;
    const char* captionEnd;
  } cases[] = {
      {{"hour", "--run", "2", "--period", "2024-03-10 05", "2024-03-10 08:59:59"},
       4,
       "за период с 10.03.24  05ч  по  10.03.24  08ч"},
      // The end lies after the last full hour (11:00): it is lowered to it.
      {{"hour", "--run", "1", "--period", "2024-03-10 09", "2024-03-11"},
       3,
       "за период с 10.03.24  09ч  по  10.03.24  11ч"},
      {{"hour", "--run", "1", "--last-day"}, 24, "за период с 09.03.24  12ч  по  10.03.24  11ч"},
      {{"day", "--run", "1", "--period", "2024-03-01", "2024-03-05"},
       5,
       "за период с 01.03.24  по  05.03.24"},
      // At 12:00 with contract hour 9 the last full gas day is yesterday.
      {{"day", "--run", "2", "--last-month"}, 30, "за период с 09.02.24  по  09.03.24"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.command[0] + " " + c.command[3]);
    const CliRun printed = overPty(sim, c.command);
    ASSERT_EQ(printed.status, 0) << printed.err;
    const auto shown = lines(printed.out);
    ASSERT_FALSE(shown.empty()) << printed.err;
    EXPECT_TRUE(shown[0].ends_with(c.captionEnd)) << shown[0];
    EXPECT_EQ(shown.size(), kLinesBeforeRecords + c.records);
  }

  const CliRun outside =
      overPty(sim, {"day", "--run", "1", "--period", "2020-01-01", "2020-02-01"});
  EXPECT_EQ(outside.status, 2);
  EXPECT_TRUE(contains(outside.err,
                       "kind 2: В архиве нет данных за указанный период / "
                       "(см. период имеющихся в архиве данных)"))
      << outside.err;
  const CliRun reversed =
      overPty(sim, {"hour", "--run", "1", "--period", "2024-03-10 08", "2024-03-10 07"});
  EXPECT_EQ(reversed.status, 2);
  EXPECT_TRUE(contains(reversed.err, "kind 2: Дата и время конца опроса должны быть"));
}

// The first two cells of each record line, blanks trimmed: the date and the start time.
std::vector<std::string> recordStarts(const std::string& out, std::size_t linesBefore) {
  const auto trimmed = [](std::string text) {
    text.erase(0, text.find_first_not_of(' '));
    return text;
  };
  std::vector<std::string> starts;
  const auto shown = lines(out);
  for (std::size_t i = linesBefore; i < shown.size(); ++i) {
    const std::size_t tab = shown[i].find('\t');
    const std::size_t next = shown[i].find('\t', tab + 1);
    starts.push_back(trimmed(shown[i].substr(0, tab)) + " " +
                     trimmed(shown[i].substr(tab + 1, next - tab - 1)));
  }
  return starts;
}

TEST_F(CliAgainstSim, AnswersStartingEarlyLoseNoRecord) {
  const auto days = [](DateTime6 day, const DateTime6& last) {
    std::vector<std::string> list;
    for (; day <= last; day = addDays(day, 1)) {
      list.push_back(format("%02d.%02d.%02d 09:00:00", day.day, day.month, day.year));
    }
    return list;
  };
  std::vector<std::string> hours;
  for (int h = 4; h <= 12; ++h) hours.push_back(format("09.03.24 %02d:00:00", h));
  const struct {
    const char* name;
    const char* fault;
    std::vector<std::string> command;
    std::size_t linesBefore;
    std::vector<std::string> starts;
  } cases[] = {
      // The day before the start passes the daily check and is kept; no later day is skipped.
      {"day",
       "early-answer once",
       {"day", "--run", "1", "--period", "2024-03-03", "2024-03-08"},
       3,
       days({24, 3, 2, 0, 0, 0}, {24, 3, 8, 0, 0, 0})},
      {"moist-day", "early-answer once",
       test::withCredentials(
           {"moist-day", "--period", "2024-02-25 00:00:00", "2024-03-08 00:00:00"}),
       5, days({24, 2, 24, 0, 0, 0}, {24, 3, 8, 0, 0, 0})},
      // "Да" to the hour before the start reads on without losing the hour after it.
      {"hour",
       "early-answer once",
       {"--yes", "hour", "--run", "1", "--period", "2024-03-09 05", "2024-03-09 12"},
       3,
       hours},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SimProcess sim(simOptions({"--pty", "--fault", c.fault}));
    const CliRun read = overPty(sim, c.command);
    EXPECT_EQ(read.status, 0) << read.err;
    EXPECT_EQ(recordStarts(read.out, c.linesBefore), c.starts);
  }
}

TEST_F(CliAgainstSim, AMismatchIsAnsweredNoUnlessYes) {
  SimProcess sim(simOptions({"--pty", "--fault", "records-outside-period"}));
  const std::vector<std::string> read = {"hour",     "--run",         "1",
                                         "--period", "2024-03-09 10", "2024-03-09 20"};
  const CliRun no = overPty(sim, read);
  ASSERT_EQ(no.status, 0) << no.err;
  EXPECT_TRUE(contains(no.err,
                       "kind 3: Передаваемые контроллером данные не соответствуют / "
                       "запрошенному периоду.    Продолжить чтение?"))
      << no.err;
  // "Нет" keeps the record that asked.
  EXPECT_EQ(lines(no.out).size(), kLinesBeforeRecords + 1);

  // "Да" keeps both hours before the start; the next request brings them once more and nothing
  // new, which ends the reading short.
  std::vector<std::string> yes = read;
  yes.insert(yes.begin(), "--yes");
  const CliRun readOn = overPty(sim, yes);
  EXPECT_EQ(readOn.status, 1) << readOn.err;
  EXPECT_TRUE(contains(readOn.err,
                       "kind 6: Часовые данные хроматографа из архива / прочитаны не полностью"))
      << readOn.err;
  EXPECT_EQ(recordStarts(readOn.out, kLinesBeforeRecords),
            (std::vector<std::string>{"09.03.24 08:00:00", "09.03.24 09:00:00"}));
}

TEST_F(CliAgainstSim, ImpossibleDatesAreRefusedBeforeTheLink) {
  const struct {
    std::vector<std::string> arguments;
    const char* said;
  } cases[] = {
      {{"hour", "--run", "1", "--period", "2024-03-01 24", "2024-03-02"}, "no such date or time"},
      {{"day", "--run", "1", "--period", "2024-02-30", "2024-03-02"}, "no such date or time"},
  };
  for (const auto& c : cases) {
    const CliRun refused = run(c.arguments);
    EXPECT_EQ(refused.status, 2) << c.arguments[0];
    EXPECT_TRUE(contains(refused.err, c.said)) << refused.err;
  }
}

}  // namespace
}  // namespace zvc
