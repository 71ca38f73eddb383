// The rules of the hourly and daily archives that need no controller: the selectable range, the
// period dialog's proposals and checks, and the request bytes.
#include "core/archives/chrom_archive_reader.h"

#include <gtest/gtest.h>

#include "core/archives/short_date_dialog.h"

namespace zvc {
namespace {

struct RangeCase {
  const char* name;
  bool daily;
  DateTime6 oldest;
  bool flag;
  DateTime6 clock;
  std::optional<DateTime6> first;
  DateTime6 last;
};

TEST(ArchiveRange, SelectableRangeFollowsClockContractHourAndDepth) {
  const DateTime6 old{20, 1, 1, 0, 0, 0};
  const RangeCase cases[] = {
      {"daily before the contract hour", true, old, false, {26, 3, 15, 5, 30, 0},
       DateTime6{22, 3, 14, 0, 0, 0}, {26, 3, 13, 0, 0, 0}},
      {"daily after the contract hour", true, old, false, {26, 3, 15, 10, 30, 0},
       DateTime6{22, 3, 15, 0, 0, 0}, {26, 3, 14, 0, 0, 0}},
      {"hourly one year deep", false, old, false, {26, 3, 15, 10, 30, 0},
       DateTime6{25, 3, 15, 10, 0, 0}, {26, 3, 15, 9, 0, 0}},
      {"young hourly archive", false, {26, 3, 1, 7, 0, 0}, false, {26, 3, 15, 10, 30, 0},
       DateTime6{26, 3, 1, 7, 0, 0}, {26, 3, 15, 9, 0, 0}},
      {"young daily archive, flag set", true, {26, 3, 1, 10, 0, 0}, true, {26, 3, 15, 10, 30, 0},
       DateTime6{26, 2, 28, 0, 0, 0}, {26, 3, 14, 0, 0, 0}},
      {"29 February a year deep", false, old, false, {25, 2, 28, 23, 30, 0},
       DateTime6{24, 2, 28, 23, 0, 0}, {25, 2, 28, 22, 0, 0}},
      {"nothing complete yet", false, {26, 3, 15, 10, 0, 0}, false, {26, 3, 15, 10, 30, 0},
       std::nullopt, {}},
  };
  for (const RangeCase& c : cases) {
    const auto range = selectableRange({c.daily, c.oldest, c.flag, c.clock, 10});
    ASSERT_EQ(range.has_value(), c.first.has_value()) << c.name;
    if (!range) continue;
    EXPECT_EQ(range->first, *c.first) << c.name;
    EXPECT_EQ(range->last, c.last) << c.name;
  }
}

TEST(ArchiveRange, RequestsCarryHourOrDate) {
  HourDayArchiveRequest hourly{false, 1, 0, {26, 3, 14, 9, 0, 0}, {26, 3, 15, 8, 0, 0}};
  EXPECT_EQ(hourly.toBytes(), (std::vector<std::uint8_t>{3, 1, 0, 26, 3, 14, 9, 26, 3, 15, 8}));
  HourDayArchiveRequest daily{true, 0, 0, {26, 3, 1, 0, 0, 0}, {26, 3, 14, 0, 0, 0}};
  EXPECT_EQ(daily.toBytes(), (std::vector<std::uint8_t>{3, 0, 0, 26, 3, 1, 26, 3, 14}));
}

TEST(ShortDateDialog, ProposalsAndChecks) {
  const ArchiveRange range{{26, 3, 1, 0, 0, 0}, {26, 3, 14, 0, 0, 0}, {}};
  const auto custom = proposeShortPeriod(true, kShortDateCustomChoice, range, {});
  EXPECT_TRUE(custom.inputsEnabled);
  EXPECT_EQ(custom.start, (DateTime6{26, 3, 1, 0, 0, 0}));  // a month back, not before F
  const auto last = proposeShortPeriod(false, kShortDateLastChoice, range, {26, 3, 15, 10, 30, 0});
  EXPECT_FALSE(last.inputsEnabled);
  EXPECT_EQ(last.end, (DateTime6{26, 3, 15, 9, 0, 0}));
  EXPECT_EQ(last.start, (DateTime6{26, 3, 14, 10, 0, 0}));
  EXPECT_EQ(oldestRecordLabel(false, range), "Дата и время самой старой записи в архиве:  01.03.26 00ч");

  const auto reversed = checkShortPeriod(true, {26, 3, 5, 0, 0, 0}, {26, 3, 4, 0, 0, 0}, range);
  EXPECT_EQ(reversed.error->line1, "Дата и время конца опроса должны быть");
  const auto before = checkShortPeriod(true, {26, 2, 1, 0, 0, 0}, {26, 2, 27, 0, 0, 0}, range);
  EXPECT_EQ(before.error->line1, "В архиве нет данных за указанный период");
  const auto clipped = checkShortPeriod(true, {26, 2, 1, 0, 0, 0}, {26, 4, 1, 0, 0, 0}, range);
  EXPECT_FALSE(clipped.error);
  EXPECT_EQ(clipped.start, range.first);
  EXPECT_EQ(clipped.end, range.last);
}

}  // namespace
}  // namespace zvc
