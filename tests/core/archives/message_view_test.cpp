#include "core/archives/message_view.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/message_decoder_support.h"
#include "support/message_view_fixtures.h"
#include "support/recording_frontend.h"
#include "support/temp_folder.h"

namespace zvc {
namespace {

using test::bitsOf;
using test::diagnosticRecord;
using test::interventionRecord;
using test::readingHeader;
using test::recordsOf;
using test::stamp;

constexpr MessageFileKind kDiagnostic = MessageFileKind::kDiagnostic;
constexpr MessageFileKind kIntervention = MessageFileKind::kIntervention;

// Saves the view's text rows and opens the file again, as the user would.
SavedMessages saveAndReopen(const MessageViewRows& view) {
  test::TempFolder temp;
  test::RecordingFrontend frontend;
  const auto file = temp.file("saved.x");
  EXPECT_TRUE(writeMessageFile(file, view.header(), view.textRows(), frontend));
  auto opened = openMessageFile(view.kind(), file, frontend);
  EXPECT_TRUE(opened);
  return std::move(*opened);
}

class DiagnosticView : public ::testing::Test {
 protected:
  DiagnosticView() {
    auto limit = diagnosticRecord(14, 0, 0, bitsOf(12.5f), bitsOf(10.0f));
    auto unsound = diagnosticRecord(2, 0, 0);
    auto restart = diagnosticRecord(2, 0, 0);
    stamp(limit, kFirst);
    stamp(restart, kLast);
    unsound[12] ^= 0x01;
    records = recordsOf<kDiagnosticRecordSize>({limit, unsound, restart});
    header = readingHeader("ALA", kFirst, kLast, 3);
  }

  const DateTime6 kFirst{24, 3, 15, 13, 5, 9};
  const DateTime6 kLast{24, 3, 16, 8, 7, 1};
  const ConfigImage image = test::stationImage();
  ArchiveRecords records{1};
  ArchiveFileHeader header;
};

TEST_F(DiagnosticView, ReadingShowsTheDecodedRecords) {
  const MessageViewRows view(kDiagnostic, header, records, image, kViewByIndex, 41);

  EXPECT_EQ(view.caption(), "Диагностические сообщения с индексами от 41 до 43");
  ASSERT_EQ(view.rowCount(), 3);
  for (int row = 0; row < 3; ++row) {
    const DiagnosticRow decoded = decodeDiagnosticRecord(records[row], 0, image);
    EXPECT_EQ(view.text(row, 0), "");
    for (int column = 1; column <= 7; ++column) {
      EXPECT_EQ(view.text(row, column), decoded.columns[column - 1]) << row << ":" << column;
    }
  }
  EXPECT_EQ(view.text(1, 1), "   ***");
  EXPECT_EQ(view.text(3, 1), "") << "past the last row";
  EXPECT_EQ(view.statusLine(), "  ***  Данные в записи недостоверны (не совпадает КС)");
}

TEST_F(DiagnosticView, SoundReadingHasNoStatusLine) {
  const ArchiveRecords sound = recordsOf<kDiagnosticRecordSize>({diagnosticRecord(2, 0, 0)});
  const MessageViewRows view(kDiagnostic, header, sound, image, kViewByPeriod, 0);
  EXPECT_EQ(view.statusLine(), "");
}

TEST_F(DiagnosticView, ReopenedFileShowsThePeriodAndTheSameTexts) {
  const MessageViewRows reading(kDiagnostic, header, records, image, kViewByIndex, 41);
  const SavedMessages saved = saveAndReopen(reading);
  const MessageViewRows reopened(kDiagnostic, saved.header, saved.rows);

  EXPECT_EQ(reopened.mode(), kViewFromFile);
  EXPECT_EQ(reopened.caption(),
            "Диагностические сообщения за период с 15.03.24 13:05:09 по 16.03.24 08:07:01");
  ASSERT_EQ(reopened.rowCount(), 3);
  for (int row : {0, 2}) {
    EXPECT_EQ(reopened.rowTexts(row), reading.rowTexts(row)) << row;
  }
  const MessageTexts unsoundRow = {"   ***", "", "", "", "", "", ""};
  EXPECT_EQ(reopened.rowTexts(1), unsoundRow);
  EXPECT_EQ(reopened.statusLine(), "");
}

TEST_F(DiagnosticView, FileRowsAreSavedAsLoaded) {
  const MessageViewRows reading(kDiagnostic, header, records, image, kViewByIndex, 41);
  const ArchiveRecords rows = reading.textRows();
  const MessageViewRows reopened(kDiagnostic, header, rows);
  EXPECT_TRUE(std::ranges::equal(reopened.textRows().bytes(), rows.bytes()));
}

TEST(InterventionView, LiveViewShowsLongTextsWholeAndTheFileItsSlot) {
  const DateTime6 time{24, 3, 15, 13, 5, 9};
  const ArchiveRecords records =
      recordsOf<kInterventionRecordSize>({interventionRecord(9, 5, 0, 2)});
  const ArchiveFileHeader header = readingHeader("AUD", time, time, 1);
  const ConfigImage image = test::stationImage();

  const MessageViewRows reading(kIntervention, header, records, image, kViewByPeriod, 0);
  EXPECT_EQ(reading.caption(),
            "Сообщения о вмешательствах оператора за период с 15.03.24 13:05:09 по 15.03.24 "
            "13:05:09");
  EXPECT_EQ(reading.text(0, 3), "Режим записи параметров газа в ВРГ");
  EXPECT_EQ(reading.text(0, 5), "В нач. часа (безусл.)");
  EXPECT_EQ(reading.text(0, 7), "Adm1");

  const SavedMessages saved = saveAndReopen(reading);
  const MessageViewRows reopened(kIntervention, saved.header, saved.rows);
  EXPECT_EQ(reopened.text(0, 5), "В нач. часа (безусл.");
  EXPECT_EQ(reopened.text(0, 7), "Adm1");
  EXPECT_EQ(reopened.text(0, 1), reading.text(0, 1));
}

TEST(InterventionView, IndexCaption) {
  const ArchiveRecords records{kInterventionRecordSize,
                               std::vector<std::uint8_t>(2 * kInterventionRecordSize)};
  const ArchiveFileHeader header = readingHeader("AUD", {}, {}, 2);
  const ConfigImage image;
  const MessageViewRows view(kIntervention, header, records, image, kViewByIndex, 4294967294u);
  EXPECT_EQ(view.caption(),
            "Сообщения о вмешательствах оператора с индексами от 4294967294 до 4294967295");
}

TEST(MessageViewLayout, ColumnsAndWindowWidths) {
  const ArchiveRecords none(1);
  const ArchiveFileHeader header;
  const MessageViewRows diagnostic(kDiagnostic, header, none);
  const MessageViewRows intervention(kIntervention, header, none);
  const std::array<int, 8> diagnosticWidths = {4, 72, 73, 268, 382, 85, 85, 85};
  const std::array<int, 8> interventionWidths = {4, 78, 80, 310, 110, 109, 68, 65};
  EXPECT_TRUE(std::ranges::equal(diagnostic.columnWidths(), diagnosticWidths));
  EXPECT_TRUE(std::ranges::equal(intervention.columnWidths(), interventionWidths));
  EXPECT_EQ(diagnostic.windowWidth(), 1092);
  EXPECT_EQ(intervention.windowWidth(), 854);
}

}  // namespace
}  // namespace zvc
