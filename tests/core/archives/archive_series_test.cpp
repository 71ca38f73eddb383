#include "core/archives/archive_series.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/archives/archive_records.h"
#include "core/common/crc16.h"

namespace zvc {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(ArchivePeriodRequest, CarriesSourceKindSequenceAndThePeriod) {
  const ArchivePeriodRequest request{
      0x10, kMeasurementArchive, 7, {26, 3, 14, 1, 2, 3}, {26, 3, 15, 4, 5, 6}};
  const auto bytes = request.toBytes();
  EXPECT_EQ(Bytes(bytes.begin(), bytes.end()),
            (Bytes{0x10, 6, 7, 26, 3, 14, 1, 2, 3, 26, 3, 15, 4, 5, 6}));
}

TEST(ArchivePeriodRequest, SequenceRunsTo255AndGoesBackTo1) {
  EXPECT_EQ(nextSequenceNumber(0), 1);
  EXPECT_EQ(nextSequenceNumber(254), 255);
  EXPECT_EQ(nextSequenceNumber(255), 1);
}

TEST(ArchivePeriodAnswer, ReadsFlagsCountAndRecords) {
  Bytes payload = {0x80, 0xAA, 2, 1};
  payload.resize(4 + 2 * 22, 0x11);
  const auto answer = ArchivePeriodAnswer::parse(payload, 22);
  EXPECT_TRUE(answer.archiveError);
  EXPECT_TRUE(answer.moreData);
  EXPECT_EQ(answer.count, 2u);
  EXPECT_EQ(answer.records.size(), 44u);

  const auto plain = ArchivePeriodAnswer::parse(Bytes{0x7F, 0, 0, 0}, 22);
  EXPECT_FALSE(plain.archiveError) << "only bit 7 means an archive error";
  EXPECT_FALSE(plain.moreData);
  EXPECT_EQ(plain.count, 0u);
}

// A controller claiming more records than its frame carries must not make the reader take
// bytes beyond the answer.
TEST(ArchivePeriodAnswer, CountBeyondTheFrameIsCutToTheRecordsThatArrived) {
  Bytes payload = {0, 0, 9, 0};
  payload.resize(4 + 2 * 24 + 5);
  const auto answer = ArchivePeriodAnswer::parse(payload, 24);
  EXPECT_EQ(answer.count, 2u);
  EXPECT_EQ(answer.records.size(), 48u);
  EXPECT_EQ(ArchivePeriodAnswer::parse(Bytes{0, 0, 3}, 24).count, 0u) << "truncated header";
}

TEST(ArchiveRecords, SoundWhenTheTrailingChecksumMatches) {
  Bytes record(22, 0x5A);
  appendCrc16(record.data(), 20);
  EXPECT_TRUE(recordIsSound(record));
  record[7] ^= 1;
  EXPECT_FALSE(recordIsSound(record));
  EXPECT_FALSE(recordIsSound(Bytes{}));
}

}  // namespace
}  // namespace zvc
