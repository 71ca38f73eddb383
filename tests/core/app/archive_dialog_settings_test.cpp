#include "core/app/archive_dialog_settings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "support/temp_folder.h"

namespace zvc {
namespace {

using test::readBytes;
using test::writeBytes;

constexpr double kNow = 45678.25;

std::string doubleBytes(double value) {
  std::string bytes(sizeof value, '\0');
  std::memcpy(bytes.data(), &value, sizeof value);
  return bytes;
}

class ArchiveDialogSettingsFile : public ::testing::Test {
 protected:
  test::TempFolder folder;
  std::filesystem::path file = folder.file("rd_arh.ini");
};

TEST_F(ArchiveDialogSettingsFile, MissingFileGivesTheDefaults) {
  const ArchiveDialogSettings settings = loadArchiveDialogSettings(file, kNow);
  EXPECT_EQ(settings.periodChoice(), 0u);
  EXPECT_EQ(settings.indexChoice(), 1u);
  EXPECT_EQ(settings.periodBegin(), kNow);
  EXPECT_EQ(settings.periodEnd(), kNow);
  for (std::size_t at = ArchiveDialogSettings::kReservedAt; at < 74; ++at) {
    EXPECT_EQ(settings.bytes()[at], 0) << at;
  }
}

TEST_F(ArchiveDialogSettingsFile, ShortFileFillsOnlyTheBytesItHolds) {
  writeBytes(file, std::string("\x02\x00\x00\x00\x03\x00", 6));
  const ArchiveDialogSettings settings = loadArchiveDialogSettings(file, kNow);
  EXPECT_EQ(settings.periodChoice(), 2u);
  EXPECT_EQ(settings.indexChoice(), 3u);  // the missing high bytes stay zero
  EXPECT_EQ(settings.periodBegin(), 0.0);
  EXPECT_EQ(settings.periodEnd(), 0.0);

  writeBytes(file, "");
  EXPECT_EQ(loadArchiveDialogSettings(file, kNow).indexChoice(), 0u);
}

TEST_F(ArchiveDialogSettingsFile, HostileFileLoadsWithoutHarm) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  std::string bytes = std::string("\xFF\xFF\xFF\xFF\x07\x00\x00\x00", 8) + doubleBytes(nan) +
                      doubleBytes(-1e308) + std::string(50, '\x5A') + std::string(4000, '\x11');
  writeBytes(file, bytes);

  const ArchiveDialogSettings settings = loadArchiveDialogSettings(file, kNow);
  EXPECT_EQ(settings.periodChoice(), 0xFFFFFFFFu);
  EXPECT_EQ(settings.indexChoice(), 7u);
  EXPECT_TRUE(std::isnan(settings.periodBegin()));
  EXPECT_EQ(settings.periodEnd(), -1e308);
  EXPECT_EQ(settings.bytes()[73], 0x5A);
}

TEST_F(ArchiveDialogSettingsFile, SavedWholeLittleEndianAndReadBackByteForByte) {
  ArchiveDialogSettings settings = ArchiveDialogSettings::defaults(kNow);
  settings.setPeriodChoice(2);
  settings.setIndexChoice(4);
  settings.setPeriodBegin(45000.5);
  ASSERT_TRUE(saveArchiveDialogSettings(file, settings));

  const std::string bytes = readBytes(file);
  ASSERT_EQ(bytes.size(), 74u);
  EXPECT_EQ(bytes.substr(0, 8), std::string("\x02\x00\x00\x00\x04\x00\x00\x00", 8));
  EXPECT_EQ(bytes.substr(8, 8), doubleBytes(45000.5));
  EXPECT_EQ(bytes.substr(16, 8), doubleBytes(kNow));
  EXPECT_EQ(bytes.substr(24), std::string(50, '\0'));

  const ArchiveDialogSettings again = loadArchiveDialogSettings(file, 0);
  EXPECT_TRUE(std::equal(again.bytes().begin(), again.bytes().end(), settings.bytes().begin()));
}

TEST_F(ArchiveDialogSettingsFile, FolderThatCannotBeWrittenIsReported) {
  EXPECT_FALSE(saveArchiveDialogSettings(folder.file("INI") / "rd_arh.ini",
                                         ArchiveDialogSettings::defaults(kNow)));
}

}  // namespace
}  // namespace zvc
