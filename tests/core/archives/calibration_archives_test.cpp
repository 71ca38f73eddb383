#include "core/archives/calibration_archives.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

#include "core/archives/message_files.h"
#include "support/check_fixtures.h"
#include "support/chrom_fixtures.h"
#include "support/recording_frontend.h"
#include "support/temp_folder.h"

namespace zvc {
namespace {

using test::checkRecord;
using test::checkRecordsOf;
using Row = std::vector<std::string>;

const DateTime6 kTime{26, 3, 15, 6, 2, 30};
const DateTime6 kToday{26, 3, 16, 0, 0, 0};

ArchiveFileHeader checkHeader(std::string_view signature) {
  ArchiveFileHeader header = test::chromHeader(signature);
  std::fill_n(&header.bytes()[ArchiveFileHeader::kRunNameAt], ArchiveFileHeader::kNameSize, 0);
  header.setPeriod(DateTime6{26, 3, 1, 0, 0, 0}, DateTime6{26, 3, 16, 23, 59, 59});
  return header;
}

TEST(CalibrationArchives, HeadingsCaptionsAndVerdictsOfTheTwins) {
  const auto none = checkRecordsOf(CalibrationRecord::kSize, {});
  const CheckTable calibration =
      buildCheckTable(CheckArchive::kCalibration, checkHeader("CLB"), none);
  EXPECT_EQ(calibration.caption,
            "Калибровочные данные хроматографа (сер. № 42) за период  с  01.03.26 00:00:00  по  "
            "16.03.26 23:59:59");
  EXPECT_EQ(calibration.headings[0],
            (Row{"   Дата", "   Время", "   Номер", "  Статус", "   CH4", "Плотность"}));
  EXPECT_EQ(calibration.headings[1], (Row{"", "", "    т/п", "  калибр.", "    %", "  кг/м3"}));

  const auto records = checkRecordsOf(
      VerificationRecord::kSize,
      {checkRecord(VerificationRecord::kSize, kTime, 2, 0, {1.25F, 0.5F}),
       checkRecord(VerificationRecord::kSize, kTime, 1, 3, {1.25F, 0.5F})});
  const CheckTable verification =
      buildCheckTable(CheckArchive::kVerification, checkHeader("VRF"), records);
  EXPECT_TRUE(verification.caption.starts_with("Данные поверки хроматографа (сер. № 42) за период"));
  EXPECT_EQ(verification.headings[1][3], " поверки");
  EXPECT_EQ(verification.rows[0],
            (Row{" 15.03.26", " 06:02:30", "    2", "   OK", " 1.250  ", " 0.5000  "}));
  EXPECT_EQ(verification.rows[1][3], "  Bad");

  const auto calibrated = checkRecordsOf(
      CalibrationRecord::kSize,
      {checkRecord(CalibrationRecord::kSize, kTime, 1, 0, {1, 2}),
       checkRecord(CalibrationRecord::kSize, kTime, 1, 1, {1, 2})});
  const CheckTable calibrationRows =
      buildCheckTable(CheckArchive::kCalibration, checkHeader("CLB"), calibrated);
  EXPECT_EQ(calibrationRows.rows[0][3], " Прошла");
  EXPECT_EQ(calibrationRows.rows[1][3], "Не прошла");
}

TEST(CalibrationArchives, ZoneMarksNanAndUnsoundRecords) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  auto broken = checkRecord(CalibrationRecord::kSize, kTime, 1, 0, {1, 2});
  broken[100] ^= 1;
  const auto records = checkRecordsOf(
      CalibrationRecord::kSize,
      {checkRecord(CalibrationRecord::kSize, kTime, 1, 0, {12.5F, 0.75F}, {3, 1}),
       checkRecord(CalibrationRecord::kSize, kTime, 1, 0, {nan, 1000}, {0, 2}), broken});
  const CheckTable table = buildCheckTable(CheckArchive::kCalibration, checkHeader("CLB"), records);
  // Alarm takes precedence over warning; the number is shown with both bits cleared.
  EXPECT_EQ(table.rows[0][4], " 12.500 #");
  EXPECT_EQ(table.rows[0][5], " 0.7500 *");
  EXPECT_EQ(table.rows[1][4], "  NAN");
  EXPECT_EQ(table.rows[1][5], " 1000.0000 #");
  EXPECT_EQ(table.rows[2], (Row{"     Данные", "недостов.", "", "", "", ""}));
}

TEST(CalibrationArchives, NameOfTenCharactersGetsOneBlank) {
  ArchiveFileHeader header = checkHeader("CLB");
  std::memcpy(&header.bytes()[ArchiveFileHeader::kParametersAt], "ABCDEFGHIJ", 10);
  const CheckTable table = buildCheckTable(CheckArchive::kCalibration, header,
                                           checkRecordsOf(CalibrationRecord::kSize, {}));
  EXPECT_EQ(table.headings[0][4], " ABCDEFGHIJ");
}

TEST(CalibrationArchives, FilesRoundTripAndRefuseTheTwinAndMoistureHeaders) {
  test::TempFolder temp;
  test::RecordingFrontend frontend;
  const WorkingFolder folder(temp.path());
  EXPECT_EQ(proposedCheckFileName(CheckArchive::kCalibration, WorkingFolder("/w"),
                                  checkHeader("CLB"), kToday),
            "/w/CALIBRARHIV/zvc15-007_260316.clb");
  EXPECT_EQ(proposedCheckXlsxName(CheckArchive::kVerification, WorkingFolder("/w"),
                                  checkHeader("VRF"), kToday),
            "/w/VERIFARHIV/zvc15-007__260316_vrf.xlsx");

  const auto records = checkRecordsOf(
      CalibrationRecord::kSize, {checkRecord(CalibrationRecord::kSize, kTime, 1, 0, {1, 2})});
  ASSERT_TRUE(saveCheckFile(
      CheckArchive::kCalibration, folder, checkHeader("CLB"), records, kToday,
      [&](const std::filesystem::path&) { return std::optional(temp.file("c")); }, frontend));
  const auto opened = openCheckFile(CheckArchive::kCalibration, temp.file("c.clb"), frontend);
  ASSERT_TRUE(opened);
  EXPECT_EQ(opened->records.count(), 1U);
  EXPECT_EQ(opened->records.recordSize(), CalibrationRecord::kSize);

  EXPECT_FALSE(openCheckFile(CheckArchive::kVerification, temp.file("c.clb"), frontend));
  EXPECT_EQ(frontend.messages.back().line1, "Файл c.clb не является файлом, содержащим");
  EXPECT_EQ(frontend.messages.back().line2, "данные поверки хроматографа QRT Vela");

  ArchiveFileHeader moistureStyle = checkHeader("VRF");
  moistureStyle.bytes()[ArchiveFileHeader::kSourceAt] = 0x01;
  ASSERT_TRUE(writeMessageFile(temp.file("m.vrf"), moistureStyle,
                               checkRecordsOf(VerificationRecord::kSize, {}), frontend));
  EXPECT_FALSE(openCheckFile(CheckArchive::kVerification, temp.file("m.vrf"), frontend));
  EXPECT_EQ(frontend.messages.back().line2, "данные поверки хроматографа QRT Vela");
}

}  // namespace
}  // namespace zvc
