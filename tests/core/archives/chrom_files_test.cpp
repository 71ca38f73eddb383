#include "core/archives/chrom_files.h"

#include <gtest/gtest.h>

#include <fstream>

#include "support/chrom_fixtures.h"
#include "support/recording_frontend.h"
#include "support/temp_folder.h"

namespace zvc {
namespace {

using test::chromHeader;
using test::measRecord;
using test::recordsOf;

const DateTime6 kToday{26, 3, 15, 0, 0, 0};

TEST(ChromFiles, ProposedNamesCarryTheRunWithoutSlashes) {
  const WorkingFolder folder("/w");
  const ArchiveFileHeader header = chromHeader("MSA");
  EXPECT_EQ(proposedChromFileName(ChromArchive::kMeasurement, folder, header, kToday),
            "/w/MOMDATA/zvc15_007_Нитка 1_2_260315.mch");
  EXPECT_EQ(proposedChromFileName(ChromArchive::kHourly, folder, header, kToday),
            "/w/HOURDATA/zvc15-007_Нитка 1_2_260315.hch");
  EXPECT_EQ(proposedChromXlsxName(ChromArchive::kDaily, folder, header, kToday),
            "/w/DAYDATA/zvc15-007_Нитка 1_2_260315_day.xlsx");
}

TEST(ChromFiles, SavedFileOpensAgainAndOnlyAsItsOwnKind) {
  test::TempFolder temp;
  test::RecordingFrontend frontend;
  const WorkingFolder folder(temp.path());
  const auto records = recordsOf({measRecord({26, 3, 15, 1, 0, 0}, {1, 2}),
                                  measRecord({26, 3, 15, 2, 0, 0}, {3, 4})});
  const auto chosen = temp.file("run");
  ASSERT_TRUE(saveChromFile(
      ChromArchive::kMeasurement, folder, chromHeader("MSA"), records, kToday,
      [&](const std::filesystem::path&) { return std::optional(chosen); }, frontend));
  EXPECT_EQ(frontend.messages.back().line1, "Данные сохранены в файле run.mch.");

  const auto opened = openChromFile(ChromArchive::kMeasurement, temp.file("run.mch"), frontend);
  ASSERT_TRUE(opened);
  EXPECT_EQ(opened->header.recordCount(), 2U);
  EXPECT_TRUE(std::equal(opened->records.bytes().begin(), opened->records.bytes().end(),
                         records.bytes().begin(), records.bytes().end()));

  EXPECT_FALSE(openChromFile(ChromArchive::kHourly, temp.file("run.mch"), frontend));
  EXPECT_EQ(frontend.messages.back().line1, "Файл run.mch не является файлом, содержащим");
  EXPECT_EQ(frontend.messages.back().line2,
            "часовые данные хроматографа QRT Vela из архива контроллера");
}

TEST(ChromFiles, MoistureMeterFileAndShortFileAreHandled) {
  test::TempFolder temp;
  test::RecordingFrontend frontend;
  ArchiveFileHeader moisture = chromHeader("MSA");
  moisture.bytes()[ArchiveFileHeader::kSourceAt] = 0x01;
  ASSERT_TRUE(writeMessageFile(temp.file("m.mch"), moisture, recordsOf({}), frontend));
  EXPECT_FALSE(openChromFile(ChromArchive::kMeasurement, temp.file("m.mch"), frontend));
  EXPECT_EQ(frontend.messages.back().line2, "измер. данные хроматографа QRT Vela из архива");

  // A header counting more records than the file holds: only those present.
  ArchiveFileHeader header = chromHeader("DAY");
  ASSERT_TRUE(writeMessageFile(temp.file("d.dch"), header,
                               recordsOf({test::hourDayRecord({26, 3, 1}, 10, 0x8A, 0, {1})}),
                               frontend));
  {
    std::fstream file(temp.file("d.dch"), std::ios::in | std::ios::out | std::ios::binary);
    file.seekp(ArchiveFileHeader::kRecordCountAt);
    file.put(static_cast<char>(0xFF)).put(static_cast<char>(0xFF));
  }
  const auto opened = openChromFile(ChromArchive::kDaily, temp.file("d.dch"), frontend);
  ASSERT_TRUE(opened);
  EXPECT_EQ(opened->records.count(), 1U);
  EXPECT_EQ(chromFileFormatOf("x.dch"), &chromFileFormat(ChromArchive::kDaily));
  EXPECT_EQ(chromFileFormatOf("x.ala"), nullptr);
}

}  // namespace
}  // namespace zvc
