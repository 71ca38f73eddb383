#include "core/archives/message_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <vector>

#include "core/common/float_format.h"
#include "support/recording_frontend.h"
#include "support/temp_folder.h"

namespace zvc {
namespace {

using test::readBytes;
using test::TempFolder;
using test::writeBytes;

constexpr MessageFileKind kDiagnostic = MessageFileKind::kDiagnostic;
constexpr MessageFileKind kIntervention = MessageFileKind::kIntervention;

ArchiveFileHeader messageHeader(std::string_view signature, std::uint32_t count) {
  ArchiveFileHeader header;
  const auto bytes = header.bytes();
  std::copy(signature.begin(), signature.end(), bytes.begin());
  bytes[ArchiveFileHeader::kAddressAt] = 7;
  bytes[ArchiveFileHeader::kControllerTypeAt] = 15;
  bytes[ArchiveFileHeader::kChromatographModelAt] = 7;
  header.setPeriod(DateTime6{24, 3, 15, 13, 5, 9}, DateTime6{24, 3, 16, 8, 0, 0});
  header.setRecordCount(count);
  return header;
}

// `count` rows whose date slot says which row it is.
ArchiveRecords textRows(MessageFileKind kind, int count) {
  const MessageFileFormat& fileFormat = messageFileFormat(kind);
  std::vector<std::uint8_t> bytes(fileFormat.rowSize * count);
  for (int row = 0; row < count; ++row) {
    MessageTexts texts;
    texts[0] = "row " + std::to_string(row);
    texts[6] = "last";
    writeTextRow(texts, fileFormat.rowSlots,
                 std::span(&bytes[row * fileFormat.rowSize], fileFormat.rowSize));
  }
  return ArchiveRecords(fileFormat.rowSize, std::move(bytes));
}

std::string fileContent(const ArchiveFileHeader& header, const ArchiveRecords& rows) {
  std::string content(reinterpret_cast<const char*>(header.bytes().data()), header.bytes().size());
  content.append(reinterpret_cast<const char*>(rows.bytes().data()), rows.bytes().size());
  return content;
}

TEST(MessageTextRow, TextsLandInTheirSlotsCutAndNulPadded) {
  MessageTexts texts = {"    15.03.24",
                        "    13:05:09",
                        "Режим записи параметров газа в ВРГ",
                        "",
                        "В нач. часа (безусл.)",
                        "°C",
                        "Adm1x"};
  std::array<std::uint8_t, InterventionTextRow::kSize> row;
  row.fill(0xEE);
  writeTextRow(texts, InterventionTextRow::kSlots, row);

  EXPECT_EQ(row[12], 0) << "a short text is NUL-padded";
  EXPECT_TRUE(std::all_of(&row[140], &row[160], [](auto b) { return b == 0; }))
      << "an empty text leaves its slot zero";
  EXPECT_EQ(row[180], 0xB0) << "the degree sign in Windows-1251";
  EXPECT_EQ(row[204], 'x') << "the five-byte operator slot is full, with no terminator";

  const MessageTexts back = readTextRow(row, InterventionTextRow::kSlots);
  EXPECT_EQ(back[0], "    15.03.24") << "leading blanks are kept";
  EXPECT_EQ(back[2], texts[2]);
  EXPECT_EQ(back[3], "");
  EXPECT_EQ(back[4], "В нач. часа (безусл.") << "21 characters cut to the 20-byte slot";
  EXPECT_EQ(back[5], "°C");
  EXPECT_EQ(back[6], "Adm1x");
}

// A cut number would read as another value when the file is opened again (1e20 as 1e19).
TEST(MessageTextRow, NumbersTooLongForTheirSlotTakeTheExponentForm) {
  MessageTexts texts = {"10.12.26",
                        "14:02:33",
                        "Значение стало выше верхней ПУ",
                        "МД метана",
                        formatFloatValue(1e20f),
                        formatFloatValue(-1e20f),
                        "единица измерения длиннее слота"};
  ASSERT_EQ(texts[4], "100000002004087734272");
  std::array<std::uint8_t, DiagnosticTextRow::kSize> row{};
  writeTextRow(texts, DiagnosticTextRow::kSlots, row);
  const MessageTexts back = readTextRow(row, DiagnosticTextRow::kSlots);
  EXPECT_EQ(back[4], "1.0000e+20");
  EXPECT_EQ(back[5], "-1.0000e+20");
  EXPECT_EQ(back[6], "единица измерения дл") << "a text that is not a number is cut";

  texts[4] = formatFloatValue(-1e19f);  // exactly the 20 bytes of the slot
  writeTextRow(texts, DiagnosticTextRow::kSlots, row);
  EXPECT_EQ(readTextRow(row, DiagnosticTextRow::kSlots)[4], "-9999999980506447872");
}

TEST(MessageTextRow, DiagnosticSlotsCoverTheRowEndToEnd) {
  MessageTexts texts;
  for (std::size_t c = 0; c < kMessageColumns; ++c) texts[c] = std::string(120, char('a' + c));
  std::array<std::uint8_t, DiagnosticTextRow::kSize> row{};
  writeTextRow(texts, DiagnosticTextRow::kSlots, row);

  const std::size_t sizes[] = {20, 20, 100, 100, 20, 20, 20};
  std::size_t at = 0;
  for (std::size_t c = 0; c < kMessageColumns; ++c) {
    EXPECT_EQ(row[at], 'a' + c) << "column " << c + 1 << " starts at " << at;
    at += sizes[c];
    EXPECT_EQ(readTextRow(row, DiagnosticTextRow::kSlots)[c], std::string(sizes[c], 'a' + c));
  }
  EXPECT_EQ(at, DiagnosticTextRow::kSize);
}

TEST(MessageFileNames, ProposedNamesPutAddressAndTypeInOppositeOrder) {
  const WorkingFolder folder("/data/zvc");
  const DateTime6 today{24, 3, 5, 23, 59, 0};
  EXPECT_EQ(proposedMessageFileName(kDiagnostic, folder, 7, today),
            std::filesystem::path("/data/zvc/ALAFILES/zvc07_015_240305.ala"));
  EXPECT_EQ(proposedMessageFileName(kIntervention, folder, 7, today),
            std::filesystem::path("/data/zvc/AUDFILES/zvc15_007_240305.aud"));
  EXPECT_EQ(proposedMessageFileName(kDiagnostic, folder, 247, today).filename(),
            "zvc247_015_240305.ala");
}

TEST(MessageFileNames, ExtensionIsAppendedOnlyWhenThereIsNone) {
  struct Case {
    MessageFileKind kind;
    const char* chosen;
    const char* saved;
  };
  const Case cases[] = {
      {kDiagnostic, "/d/report", "/d/report.ala"},
      {kIntervention, "/d/report", "/d/report.aud"},
      {kDiagnostic, "/d/report.ala", "/d/report.ala"},
      {kDiagnostic, "/d/report.txt", "/d/report.txt"},
      {kIntervention, "/d.v2/report", "/d.v2/report.aud"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(withMessageExtension(c.kind, c.chosen), std::filesystem::path(c.saved)) << c.chosen;
  }
}

class MessageFileSave : public ::testing::Test {
 protected:
  // The save dialog: answers from a queue (nullopt = cancel) and notes where it started.
  AskFileName dialog() {
    return [this](const std::filesystem::path& start) {
      starts.push_back(start);
      auto answer = answers.front();
      answers.pop_front();
      return answer;
    };
  }

  TempFolder temp;
  WorkingFolder folder{temp.path()};
  test::RecordingFrontend frontend;
  std::deque<std::optional<std::filesystem::path>> answers;
  std::vector<std::filesystem::path> starts;
  const DateTime6 today{24, 3, 5, 10, 0, 0};
};

TEST_F(MessageFileSave, SavedRowsOpenAgainWithTheirHeader) {
  folder.createSubfolders();
  const ArchiveFileHeader header = messageHeader("AUD", 3);
  const ArchiveRecords rows = textRows(kIntervention, 3);
  answers = {temp.file("AUDFILES/mine")};

  ASSERT_TRUE(saveMessageFile(kIntervention, folder, header, rows, today, dialog(), frontend));

  EXPECT_EQ(starts.at(0), temp.path() / "AUDFILES/zvc15_007_240305.aud");
  const auto saved = temp.file("AUDFILES/mine.aud");
  EXPECT_EQ(readBytes(saved), fileContent(header, rows));
  ASSERT_EQ(frontend.messages.size(), 1u);
  EXPECT_EQ(frontend.messages[0].kind, 6);
  EXPECT_EQ(frontend.messages[0].line1, "Данные сохранены в файле mine.aud.");
  EXPECT_FALSE(frontend.busy);

  const auto opened = openMessageFile(kIntervention, saved, frontend);
  ASSERT_TRUE(opened);
  EXPECT_EQ(opened->rows.count(), 3u);
  EXPECT_TRUE(std::ranges::equal(opened->rows.bytes(), rows.bytes()));
  EXPECT_TRUE(std::ranges::equal(opened->header.bytes(), header.bytes()));
}

TEST_F(MessageFileSave, HeaderCountsTheRowsWritten) {
  const ArchiveRecords rows = textRows(kDiagnostic, 2);
  ASSERT_TRUE(writeMessageFile(temp.file("a.ala"), messageHeader("ALA", 9), rows, frontend));
  const auto opened = openMessageFile(kDiagnostic, temp.file("a.ala"), frontend);
  ASSERT_TRUE(opened);
  EXPECT_EQ(opened->header.recordCount(), 2u);
}

TEST_F(MessageFileSave, NoToReplacingAsksAgainAndCancelSavesNothing) {
  const auto existing = temp.file("old.ala");
  writeBytes(existing, "keep me");
  answers = {temp.file("old"), std::nullopt};

  EXPECT_FALSE(saveMessageFile(kDiagnostic, folder, messageHeader("ALA", 1),
                               textRows(kDiagnostic, 1), today, dialog(), frontend));

  ASSERT_EQ(frontend.messages.size(), 1u);
  EXPECT_EQ(frontend.messages[0].kind, 3);
  EXPECT_EQ(frontend.messages[0].line1, "Файл old.ala уже есть.");
  EXPECT_EQ(frontend.messages[0].line2, "Вы хотите заменить существующий файл?");
  ASSERT_EQ(starts.size(), 2u);
  EXPECT_EQ(starts[1], existing) << "the dialog comes back with the name just chosen";
  EXPECT_EQ(readBytes(existing), "keep me");
}

TEST_F(MessageFileSave, YesToReplacingOverwrites) {
  const auto existing = temp.file("old.ala");
  writeBytes(existing, "replace me");
  answers = {existing};
  frontend.answers = {true};
  const ArchiveRecords rows = textRows(kDiagnostic, 1);

  EXPECT_TRUE(saveMessageFile(kDiagnostic, folder, messageHeader("ALA", 1), rows, today, dialog(),
                              frontend));
  EXPECT_EQ(readBytes(existing).size(), ArchiveFileHeader::kSize + DiagnosticTextRow::kSize);
}

TEST_F(MessageFileSave, UnwritableFolderIsAnOpenError) {
  answers = {temp.file("missing/x.ala")};
  EXPECT_FALSE(saveMessageFile(kDiagnostic, folder, messageHeader("ALA", 1),
                               textRows(kDiagnostic, 1), today, dialog(), frontend));
  ASSERT_EQ(frontend.messages.size(), 1u);
  EXPECT_EQ(frontend.messages[0].kind, 1);
  EXPECT_EQ(frontend.messages[0].line1, "Ошибка открытия файла");
}

class MessageFileOpen : public ::testing::Test {
 protected:
  void refused(MessageFileKind kind, const std::string& content, std::string_view line2) {
    const auto file = temp.file("f.dat");
    writeBytes(file, content);
    test::RecordingFrontend frontend;
    EXPECT_FALSE(openMessageFile(kind, file, frontend));
    ASSERT_EQ(frontend.messages.size(), 1u);
    EXPECT_EQ(frontend.messages[0].kind, 1);
    EXPECT_EQ(frontend.messages[0].line1, "Файл f.dat не является файлом, содержащим");
    EXPECT_EQ(frontend.messages[0].line2, line2);
  }

  TempFolder temp;
};

TEST_F(MessageFileOpen, OtherFilesAreRefusedWithTheKindsLine) {
  const std::string_view diagnosticLine = "диагностические сообщения контроллера ЖВЦ_15";
  const std::string_view interventionLine =
      "сообщения о вмешательствах оператора контроллера ЖВЦ_15";
  const ArchiveRecords rows = textRows(kDiagnostic, 2);

  ArchiveFileHeader otherModel = messageHeader("ALA", 2);
  otherModel.bytes()[ArchiveFileHeader::kChromatographModelAt] = 3;
  refused(kDiagnostic, fileContent(otherModel, rows), diagnosticLine);

  ArchiveFileHeader otherType = messageHeader("ALA", 2);
  otherType.bytes()[ArchiveFileHeader::kControllerTypeAt] = 14;
  refused(kDiagnostic, fileContent(otherType, rows), diagnosticLine);

  refused(kIntervention, fileContent(messageHeader("ALA", 2), rows), interventionLine);
  refused(kDiagnostic, fileContent(messageHeader("ALA", 0), ArchiveRecords(1)).substr(0, 904),
          diagnosticLine);
}

TEST_F(MessageFileOpen, CountBeyondTheFileShowsTheCompleteRows) {
  const ArchiveRecords rows = textRows(kDiagnostic, 3);
  std::string content = fileContent(messageHeader("ALA", 100000000), rows);
  content += std::string(DiagnosticTextRow::kSize - 1, 'x');  // a row cut short
  writeBytes(temp.file("short.ala"), content);
  test::RecordingFrontend frontend;

  const auto opened = openMessageFile(kDiagnostic, temp.file("short.ala"), frontend);

  ASSERT_TRUE(opened);
  EXPECT_EQ(opened->rows.count(), 3u);
  EXPECT_EQ(opened->header.recordCount(), 3u);
  EXPECT_EQ(readTextRow(opened->rows[2], DiagnosticTextRow::kSlots)[0], "row 2");
  EXPECT_TRUE(frontend.messages.empty());
}

TEST_F(MessageFileOpen, CountBelowTheFileShowsThatMany) {
  writeBytes(temp.file("a.ala"), fileContent(messageHeader("ALA", 1), textRows(kDiagnostic, 3)));
  test::RecordingFrontend frontend;
  const auto opened = openMessageFile(kDiagnostic, temp.file("a.ala"), frontend);
  ASSERT_TRUE(opened);
  EXPECT_EQ(opened->rows.count(), 1u);
}

TEST_F(MessageFileOpen, MissingFileIsAnOpenError) {
  test::RecordingFrontend frontend;
  EXPECT_FALSE(openMessageFile(kDiagnostic, temp.file("none.ala"), frontend));
  ASSERT_EQ(frontend.messages.size(), 1u);
  EXPECT_EQ(frontend.messages[0].kind, 1);
  EXPECT_EQ(frontend.messages[0].line1, "Ошибка открытия файла");
}

}  // namespace
}  // namespace zvc
