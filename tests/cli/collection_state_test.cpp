#include "cli/collection_state.h"

#include <gtest/gtest.h>

#include <fstream>
#include <vector>

#include "core/common/crc16.h"
#include "support/temp_folder.h"

namespace zvc::cli {
namespace {

constexpr std::size_t kRecordSize = 10;

// A record of the time (minute and second of 2024-03-01 10:MM:SS) and a tag, sound or not.
std::vector<std::uint8_t> record(int minute, int second, std::uint8_t tag, bool sound = true) {
  std::vector<std::uint8_t> bytes = {24,  3, 1, 10, std::uint8_t(minute), std::uint8_t(second),
                                     tag, 0};
  const std::uint16_t crc = Crc16(bytes.data(), bytes.size());
  bytes.push_back(std::uint8_t(crc & 0xFF));
  bytes.push_back(std::uint8_t((crc >> 8) ^ (sound ? 0 : 0x5A)));
  return bytes;
}

ArchiveRecords records(const std::vector<std::vector<std::uint8_t>>& list) {
  std::vector<std::uint8_t> bytes;
  for (const auto& one : list) bytes.insert(bytes.end(), one.begin(), one.end());
  return ArchiveRecords(kRecordSize, bytes);
}

std::vector<std::uint8_t> tagsOf(const ArchiveRecords& kept) {
  std::vector<std::uint8_t> tags;
  for (std::size_t i = 0; i < kept.count(); ++i) tags.push_back(kept[i][6]);
  return tags;
}

CollectedUpTo upTo(int minute, int second, int count) {
  return {{24, 3, 1, 10, std::uint8_t(minute), std::uint8_t(second)}, count};
}

TEST(CollectionState, NewRecordsLeaveOutWhatWasSavedAndMoveTheEnd) {
  struct Case {
    const char* what;
    std::vector<std::vector<std::uint8_t>> read;
    std::optional<CollectedUpTo> before;
    std::vector<std::uint8_t> keptTags;
    std::optional<CollectedUpTo> after;
  };
  const Case cases[] = {
      {"first collection keeps all",
       {record(1, 0, 1), record(2, 0, 2), record(2, 0, 3)},
       std::nullopt,
       {1, 2, 3},
       upTo(2, 0, 2)},
      {"records of the last saved second beyond those saved are new",
       {record(2, 0, 2), record(2, 0, 3), record(2, 0, 4), record(3, 0, 5)},
       upTo(2, 0, 1),
       {3, 4, 5},
       upTo(3, 0, 1)},
      {"more of the last second only",
       {record(2, 0, 2), record(2, 0, 3)},
       upTo(2, 0, 1),
       {3},
       upTo(2, 0, 2)},
      {"nothing new", {record(2, 0, 2)}, upTo(2, 0, 1), {}, upTo(2, 0, 1)},
      {"older records sent by the controller are dropped",
       {record(1, 0, 1), record(4, 0, 2)},
       upTo(2, 0, 1),
       {2},
       upTo(4, 0, 1)},
      {"a garbled record is kept but does not move the end",
       {record(3, 0, 1), record(59, 59, 2, false)},
       upTo(2, 0, 1),
       {1, 2},
       upTo(3, 0, 1)},
      {"only garbled records leave the end",
       {record(5, 0, 1, false)},
       std::nullopt,
       {1},
       std::nullopt},
  };
  for (const Case& c : cases) {
    const NewRecords fresh = newRecords(records(c.read), c.before);
    EXPECT_EQ(tagsOf(fresh.records), c.keptTags) << c.what;
    EXPECT_EQ(fresh.upTo, c.after) << c.what;
  }
}

TEST(CollectionState, EndTextRoundTripsAndDamageIsRefused) {
  const CollectedUpTo end{{26, 12, 31, 23, 59, 58}, 3};
  EXPECT_EQ(upToText(end), "2026-12-31 23:59:58 3");
  EXPECT_EQ(parseUpTo(upToText(end)), end);
  for (const char* damaged :
       {"", "2026-12-31 23:59:58", "2026-02-30 00:00:00 1", "2026-12-31 23:59:58 x",
        "2026-12-31T23:59:58 1", "1999-12-31 23:59:58 1", "2026-12-31 23:59:58 -1"}) {
    EXPECT_FALSE(parseUpTo(damaged)) << damaged;
  }
}

// A run cut between noting the new end and writing the file keeps the end that matches the disk.
TEST(CollectionState, ASaveCutShortKeepsTheEndThatMatchesTheFiles) {
  test::TempFolder folder;
  const CollectedUpTo first = upTo(1, 0, 1);
  const CollectedUpTo second = upTo(2, 0, 1);
  {
    CollectionState state(folder.path());
    ASSERT_TRUE(state.beginSave("A", "diag", first, "diag/one.ala"));
    ASSERT_TRUE(state.endSave("A", "diag", true));
    ASSERT_TRUE(state.beginSave("A", "diag", second, "diag/two.ala"));
    ASSERT_TRUE(state.beginSave("B", "diag", second, "diag/two.ala"));
  }
  std::filesystem::create_directories(folder.path() / "B" / "diag");
  std::ofstream(folder.path() / "B" / "diag" / "two.ala") << "whole";

  CollectionState reopened(folder.path());
  std::optional<CollectedUpTo> end;
  ASSERT_TRUE(reopened.upTo("A", "diag", end));
  EXPECT_EQ(end, first) << "the file was never written";
  ASSERT_TRUE(reopened.upTo("B", "diag", end));
  EXPECT_EQ(end, second) << "the file was written, the end not yet noted";
  ASSERT_TRUE(reopened.upTo("A", "meas-1", end));
  EXPECT_FALSE(end);

  std::ofstream(reopened.file(), std::ios::app) << "[C]\r\ndiag=yesterday\r\n";
  CollectionState damaged(folder.path());
  EXPECT_FALSE(damaged.upTo("C", "diag", end));
}

}  // namespace
}  // namespace zvc::cli
