#include "core/archives/moisture_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/archives/chrom_files.h"
#include "core/archives/message_files.h"
#include "support/chrom_fixtures.h"
#include "support/moisture_fixtures.h"
#include "support/recording_frontend.h"
#include "support/temp_folder.h"

namespace zvc {
namespace {

using test::moistureHeader;

const DateTime6 kToday{26, 3, 15, 0, 0, 0};

ArchiveRecords hourRecords(int count) {
  return ArchiveRecords(WmtHourDayRecord::kSize,
                        std::vector<std::uint8_t>(WmtHourDayRecord::kSize * count, 0x11));
}

TEST(MoistureFiles, ProposedNamesHaveNoRun) {
  const WorkingFolder folder("/w");
  const ArchiveFileHeader header = moistureHeader("MSA");
  EXPECT_EQ(proposedMoistureFileName(MoistureArchive::kMeasurement, folder, header, kToday),
            "/w/MOMDATA/zvc15_007_260315.mwm");
  EXPECT_EQ(proposedMoistureFileName(MoistureArchive::kHourly, folder, header, kToday),
            "/w/HOURDATA/zvc15_007_260315.hwm");
  EXPECT_EQ(proposedMoistureFileName(MoistureArchive::kDaily, folder, header, kToday),
            "/w/DAYDATA/zvc15_007_260315.dwm");
  EXPECT_EQ(moistureFileFormatOf("x/a.dwm")->archive, MoistureArchive::kDaily);
  EXPECT_EQ(moistureFileFormatOf("x/a.dch"), nullptr);
}

TEST(MoistureFiles, RoundTripAndRefusalsBothWays) {
  test::TempFolder temp;
  test::RecordingFrontend frontend;
  const WorkingFolder folder(temp.path());
  const ArchiveRecords records = hourRecords(3);
  ASSERT_TRUE(saveMoistureFile(
      MoistureArchive::kHourly, folder, moistureHeader("HOU"), records, kToday,
      [&](const std::filesystem::path&) { return std::optional(temp.file("h")); }, frontend));
  const auto opened = openMoistureFile(MoistureArchive::kHourly, temp.file("h.hwm"), frontend);
  ASSERT_TRUE(opened);
  EXPECT_EQ(opened->records.count(), 3U);
  EXPECT_EQ(opened->records.recordSize(), WmtHourDayRecord::kSize);

  // A moisture-meter file is no chromatograph file, and the reverse.
  EXPECT_FALSE(openChromFile(ChromArchive::kHourly, temp.file("h.hwm"), frontend));
  EXPECT_EQ(frontend.messages.back().line2,
            "часовые данные хроматографа QRT Vela из архива контроллера");
  ASSERT_TRUE(writeMessageFile(temp.file("c.hch"), test::chromHeader("HOU"), records, frontend));
  EXPECT_FALSE(openMoistureFile(MoistureArchive::kHourly, temp.file("c.hch"), frontend));
  EXPECT_EQ(frontend.messages.back().line1, "Файл c.hch не является файлом, содержащим");
  EXPECT_EQ(frontend.messages.back().line2, "часовые данные влагомера из архива контроллера");
  // Another signature.
  EXPECT_FALSE(openMoistureFile(MoistureArchive::kDaily, temp.file("h.hwm"), frontend));
  EXPECT_EQ(frontend.messages.back().line2,
            "суточные данные влагомера из архива контроллера ЖВЦ_15");
}

TEST(MoistureFiles, HeaderCountBeyondTheFileGivesTheRecordsPresent) {
  test::TempFolder temp;
  test::RecordingFrontend frontend;
  ArchiveFileHeader header = moistureHeader("DAY");
  ASSERT_TRUE(writeMessageFile(temp.file("d.dwm"), header, hourRecords(2), frontend));
  // A count far beyond the file, and a trailing part of a record.
  {
    std::fstream file(temp.file("d.dwm"), std::ios::in | std::ios::out | std::ios::binary);
    file.seekp(ArchiveFileHeader::kRecordCountAt);
    const char huge[4] = {'\xFF', '\xFF', '\xFF', '\x7F'};
    file.write(huge, 4);
    file.seekp(0, std::ios::end);
    file.write("partial", 7);
  }
  const auto opened = openMoistureFile(MoistureArchive::kDaily, temp.file("d.dwm"), frontend);
  ASSERT_TRUE(opened);
  EXPECT_EQ(opened->records.count(), 2U);
  EXPECT_EQ(opened->header.recordCount(), 2U);
}

}  // namespace
}  // namespace zvc
