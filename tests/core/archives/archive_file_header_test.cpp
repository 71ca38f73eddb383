#include "core/archives/archive_file_header.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "core/tables/config_image.h"
#include "support/temp_folder.h"

namespace zvc {
namespace {

using test::writeBytes;

void putText(std::span<std::uint8_t> field, std::string_view text, std::size_t at = 0) {
  std::copy(text.begin(), text.end(), field.begin() + static_cast<std::ptrdiff_t>(at));
}

bool allZero(std::span<const std::uint8_t> bytes) {
  return std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b == 0; });
}

class ArchiveHeaderBuild : public ::testing::Test {
 protected:
  void SetUp() override {
    putText(image.field(5, 0), "Station");
    putText(image.field(5, 1), "Run one");
    putText(image.field(5, 2), "Run two");
    image.field(14, 6)[0] = 7;
    image.field(14, 14)[0] = 3;
    image.field(15, 6)[0] = 2;
    const std::uint32_t serial = 73150001;
    std::memcpy(image.field(41, 0).data(), &serial, 4);
    const char* designations[] = {"CH4", "C2H6", "Hs"};
    for (int c = 0; c < 3; ++c) {
      putText(image.field(1, c), "long name", 0);
      putText(image.field(1, c), designations[c], 40);
      image.field(1, c)[50] = static_cast<std::uint8_t>(c + 1);
      image.field(1, c)[61] = static_cast<std::uint8_t>(c + 2);
    }
  }

  ConfigImage image;
};

TEST_F(ArchiveHeaderBuild, MessageHeaderTakesTheImageAndLeavesTheRunNameZero) {
  ArchiveFileHeader header = buildArchiveFileHeader("ALA", 0, image, 17);
  header.setReadTime({26, 3, 15, 12, 0, 1});
  header.setPeriod(DateTime6{26, 3, 14, 1, 2, 3}, DateTime6{26, 3, 15, 4, 5, 6});
  header.setRecordCount(0x01020304);
  const auto b = header.bytes();

  EXPECT_EQ(header.signature(), "ALA");
  EXPECT_EQ(std::string(b.begin() + 4, b.begin() + 11), "Station");
  EXPECT_TRUE(allZero(b.subspan(24, 20))) << "bytes 24..43 of a message file";
  EXPECT_EQ(b[44], 17);
  EXPECT_EQ(b[45], 15);
  EXPECT_EQ(b[46], 7);
  EXPECT_EQ(b[47], 2);
  EXPECT_EQ(header.serialNumber(), 73150001u);
  EXPECT_EQ(b[52], 3);
  EXPECT_EQ(std::string(b.begin() + 79 + 41, b.begin() + 79 + 41 + 4), "C2H6");
  EXPECT_EQ(b[90 + 41 * 2], 3) << "unit code of parameter 2";
  EXPECT_EQ(b[91 + 41 * 2], 4) << "decimals of parameter 2";
  EXPECT_TRUE(allZero(b.subspan(79 + 41 * 3, 873 - 79 - 41 * 3))) << "unused parameter slots";
  EXPECT_EQ(
      std::vector<std::uint8_t>(b.begin() + 873, b.begin() + 891),
      (std::vector<std::uint8_t>{26, 3, 15, 12, 0, 1, 26, 3, 14, 1, 2, 3, 26, 3, 15, 4, 5, 6}));
  EXPECT_EQ(std::vector<std::uint8_t>(b.begin() + 891, b.begin() + 895),
            (std::vector<std::uint8_t>{4, 3, 2, 1}));
  EXPECT_TRUE(allZero(b.subspan(895, 10)));
  EXPECT_TRUE(allZero(b.subspan(53, 26)));
}

TEST_F(ArchiveHeaderBuild, MeasurementAndChromatographRunFilesNameTheirRun) {
  struct Case {
    const char* signature;
    std::uint8_t source;
    const char* runName;
  };
  const Case cases[] = {{"MSA", 0x00, "Run one"}, {"HOU", 0x10, "Run two"},
                        {"DAY", 0x10, "Run two"}, {"MSA", 0x01, "Run one"},
                        {"HOU", 0x01, ""},        {"CLB", 0x00, ""},
                        {"AUD", 0x00, ""}};
  for (const Case& c : cases) {
    const ArchiveFileHeader header = buildArchiveFileHeader(c.signature, c.source, image, 1);
    const auto name = header.runName();
    std::string expected(c.runName);
    expected.resize(20, '\0');
    EXPECT_EQ(std::string(name.begin(), name.end()), expected)
        << c.signature << " " << int(c.source);
    EXPECT_EQ(header.sourceByte(), c.source);
  }
}

TEST_F(ArchiveHeaderBuild, ParameterCountAboveTwentyIsCutToTheSlotsThereAre) {
  image.field(14, 14)[0] = 250;
  const ArchiveFileHeader header = buildArchiveFileHeader("MSA", 0, image, 1);
  EXPECT_EQ(header.bytes()[52], 20);
  EXPECT_EQ(header.parameterCount(), 20);
  EXPECT_TRUE(allZero(header.bytes().subspan(873, 905 - 873))) << "nothing written past slot 19";

  ArchiveFileHeader hostile;
  hostile.bytes()[52] = 200;
  EXPECT_EQ(hostile.parameterCount(), 20);
  EXPECT_TRUE(hostile.parameterName(20).empty());
}

TEST_F(ArchiveHeaderBuild, ShortPeriodFormsLeaveTheRestZero) {
  ArchiveFileHeader header = buildArchiveFileHeader("HOU", 0, image, 1);
  header.setPeriod(DateTime6{1, 2, 3, 4, 5, 6}, DateTime6{1, 2, 3, 4, 5, 6});
  header.setPeriod(DateHour4{26, 3, 14, 5}, DateHour4{26, 3, 15, 6});
  EXPECT_EQ(
      std::vector<std::uint8_t>(header.periodStartBytes().begin(), header.periodEndBytes().end()),
      (std::vector<std::uint8_t>{26, 3, 14, 5, 0, 0, 26, 3, 15, 6, 0, 0}));
  header.setPeriod(Date3{26, 2, 1}, Date3{26, 2, 20});
  EXPECT_EQ(
      std::vector<std::uint8_t>(header.periodStartBytes().begin(), header.periodEndBytes().end()),
      (std::vector<std::uint8_t>{26, 2, 1, 0, 0, 0, 26, 2, 20, 0, 0, 0}));
}

class ArchiveFileOpen : public ArchiveHeaderBuild {
 protected:
  // A file with the header and `rows` rows of 10 bytes, the header claiming `count` rows.
  void write(const ArchiveFileHeader& header, std::uint32_t count, int rows) {
    ArchiveFileHeader copy = header;
    copy.setRecordCount(count);
    std::string bytes(reinterpret_cast<const char*>(copy.bytes().data()), ArchiveFileHeader::kSize);
    for (int r = 0; r < rows; ++r) bytes += std::string(10, static_cast<char>('a' + r));
    writeBytes(path, bytes);
  }

  test::TempFolder folder;
  std::filesystem::path path = folder.file("saved.ala");
};

TEST_F(ArchiveFileOpen, ReadsTheRowsTheHeaderCounts) {
  write(buildArchiveFileHeader("ALA", 0, image, 1), 2, 3);
  const ArchiveFile file = openArchiveFile(path, {"ALA", std::nullopt}, 10);
  ASSERT_EQ(file.status, ArchiveFile::Status::kOpened);
  EXPECT_EQ(file.rows.count(), 2u) << "a third row beyond the count stays unread";
  EXPECT_EQ(file.rows[1][0], 'b');
  EXPECT_EQ(file.header.recordCount(), 2u);
}

// A header claiming four billion rows must neither allocate for them nor read past the file.
TEST_F(ArchiveFileOpen, CountBeyondTheFileYieldsOnlyTheRowsPresent) {
  write(buildArchiveFileHeader("ALA", 0, image, 1), 0xFFFFFFFF, 3);
  std::string bytes = test::readBytes(path) + "half";  // and a partial row at the end
  writeBytes(path, bytes);
  const ArchiveFile file = openArchiveFile(path, {"ALA", std::nullopt}, 10);
  ASSERT_EQ(file.status, ArchiveFile::Status::kOpened);
  EXPECT_EQ(file.rows.count(), 3u);
  EXPECT_EQ(file.rows.bytes().size(), 30u);
  EXPECT_EQ(file.header.recordCount(), 3u) << "the count becomes the rows read";
}

TEST_F(ArchiveFileOpen, RefusesAnotherKindTypeModelOrDevice) {
  struct Case {
    const char* what;
    std::size_t at;
    std::uint8_t value;
    ArchiveFileKind kind;
  };
  const Case cases[] = {
      {"signature", 0, 'X', {"MSA", 1}},
      {"controller type", 45, 14, {"MSA", 1}},
      {"chromatograph model 3", 46, 3, {"MSA", 1}},
      {"device nibble", 3, 0x10, {"MSA", 1}},
  };
  for (const Case& c : cases) {
    ArchiveFileHeader header = buildArchiveFileHeader("MSA", 0x01, image, 1);
    write(header, 0, 0);
    EXPECT_EQ(openArchiveFile(path, c.kind, 29).status, ArchiveFile::Status::kOpened) << c.what;
    header.bytes()[c.at] = c.value;
    write(header, 0, 0);
    EXPECT_EQ(openArchiveFile(path, c.kind, 29).status, ArchiveFile::Status::kWrongKind) << c.what;
  }
}

TEST_F(ArchiveFileOpen, MissingOrTooShortFile) {
  EXPECT_EQ(openArchiveFile(folder.file("none.ala"), {"ALA", std::nullopt}, 300).status,
            ArchiveFile::Status::kCannotOpen);
  const ArchiveFileHeader header = buildArchiveFileHeader("ALA", 0, image, 1);
  writeBytes(path, std::string(reinterpret_cast<const char*>(header.bytes().data()), 900));
  EXPECT_EQ(openArchiveFile(path, {"ALA", std::nullopt}, 300).status,
            ArchiveFile::Status::kWrongKind);
}

}  // namespace
}  // namespace zvc
