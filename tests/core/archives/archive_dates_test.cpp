#include "core/archives/archive_dates.h"

#include <gtest/gtest.h>

namespace zvc {
namespace {

TEST(ArchiveDates, ShortFormsKeepTheirBytesAndCompareYearFirst) {
  const std::uint8_t bytes[6] = {26, 3, 15, 23, 59, 58};
  EXPECT_EQ(DateHour4::fromBytes(bytes), (DateHour4{26, 3, 15, 23}));
  EXPECT_EQ(Date3::fromBytes(bytes), (Date3{26, 3, 15}));
  std::uint8_t out[4] = {9, 9, 9, 9};
  Date3{1, 2, 3}.toBytes(out);
  EXPECT_EQ(out[2], 3);
  EXPECT_EQ(out[3], 9) << "a Date3 writes three bytes only";

  EXPECT_LT((DateHour4{25, 12, 31, 23}), (DateHour4{26, 1, 1, 0}));
  EXPECT_LT((DateHour4{26, 1, 1, 0}), (DateHour4{26, 1, 1, 1}));
  EXPECT_LT((Date3{26, 1, 31}), (Date3{26, 2, 1}));
  EXPECT_EQ(DateHour4::of({26, 3, 15, 7, 8, 9}).toDateTime6(), (DateTime6{26, 3, 15, 7, 0, 0}));
}

TEST(ArchiveDates, DisplayIsDayMonthYearAndTwoDigitTimes) {
  const DateTime6 value{5, 1, 2, 3, 4, 5};
  EXPECT_EQ(formatArchiveDate(value), "02.01.05");
  EXPECT_EQ(formatArchiveTime(value), "03:04:05");
  EXPECT_EQ(formatArchiveDate(DateHour4{26, 12, 31, 23}), "31.12.26");
  EXPECT_EQ(formatArchiveDate(Date3{0, 1, 1}), "01.01.00");
}

TEST(ArchiveDates, HoursBetweenDateHoursCrossDaysAndMonths) {
  EXPECT_EQ(hoursBetween(DateHour4{26, 2, 28, 22}, DateHour4{26, 3, 1, 1}), 3);
  EXPECT_EQ(hoursBetween(DateHour4{24, 2, 28, 0}, DateHour4{24, 3, 1, 0}), 48);  // leap year
  EXPECT_EQ(hoursBetween(DateHour4{26, 3, 1, 5}, DateHour4{26, 3, 1, 5}), 0);
}

}  // namespace
}  // namespace zvc
