// The written workbook read back with openpyxl: values, merges, borders, fonts, formats.
#include "core/archives/spreadsheet_export.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <memory>

#include "support/check_fixtures.h"
#include "support/chrom_fixtures.h"
#include "support/recording_frontend.h"
#include "support/temp_folder.h"
#include "support/xlsx_inspect.h"

namespace zvc {
namespace {

using test::inspect;

TEST(SpreadsheetExport, SheetValuesDropMarksAndKeepTexts) {
  EXPECT_EQ(sheetValueText(" 12.500 *", 3), "12.500");
  EXPECT_EQ(sheetValueText(" 12.5 #", 3), "12.500");
  EXPECT_EQ(sheetValueText("  NAN", 3), "NAN");
  EXPECT_EQ(sheetValueText(" ", 3), "");
  EXPECT_EQ(sheetValueText("  Данные", 3), "Данные");
}

TEST(SpreadsheetExport, MeasurementSheetWithOneRecord) {
  test::TempFolder temp;
  test::RecordingFrontend frontend;
  auto record = test::measRecord({26, 3, 15, 12, 4, 0}, {12.5F, 0.75F});
  test::putValue(record, 0, 12.5F, 1);
  test::seal(record);
  const ChromTable table = buildChromTable(ChromArchive::kMeasurement, test::chromHeader("MSA"),
                                           test::recordsOf({record}));
  const auto file = temp.file("m.xlsx");
  ASSERT_TRUE(exportChromTable(table, file, frontend));
  EXPECT_EQ(frontend.messages.back().line1, "Данные сохранены в файле m.xlsx");
  EXPECT_EQ(frontend.progressModes, std::vector<int>{4});

  EXPECT_EQ(inspect(file, "print([ws.cell(r, c).value for r in (2, 3, 4, 6) for c in (1, 2, 3, 4)])"),
            "['Дата', 'Время', 'CH4', 'Плотность', None, None, '%', 'кг/м3', "
            "'15.03.26', '12:04:00', '12.500', '0.7500', 'Среднее значение', None, '12.500', "
            "'0.7500']\n");
  EXPECT_EQ(inspect(file, "c = ws['B1']; print(c.value[:20], c.font.name, c.font.sz, c.font.color.rgb, "
                          "ws['A1'].border.top.style, ws.row_dimensions[1].height)"),
            "Измерительные данные Arial 12.0 FF000080 thin 22.0\n");
  EXPECT_EQ(inspect(file, "c = ws['D3']; print(c.fill.fgColor.rgb, c.border.right.style, "
                          "c.border.bottom.style, c.alignment.horizontal, c.font.sz, "
                          "ws['B2'].border.top.style, ws['B2'].border.bottom.style)"),
            "FFD3D3D3 thin thin center 9.0 thin None\n");
  EXPECT_EQ(inspect(file, "c = ws['C4']; print(c.number_format, c.font.name, c.data_type, "
                          "ws.column_dimensions['A'].width, ws['A6'].font.sz)"),
            "@ Courier New s 9.7109375 12.0\n");  // width 9 as the file stores it, with padding
}

TEST(SpreadsheetExport, HourlyAverageRowAndColumns) {
  test::TempFolder temp;
  test::RecordingFrontend frontend;
  const ChromTable table = buildChromTable(
      ChromArchive::kHourly, test::chromHeader("HOU"),
      test::recordsOf({test::hourDayRecord({26, 3, 14}, 9, 10, 0, {1, 2}),
                       test::hourDayRecord({26, 3, 14}, 10, 11, 0, {3, 4})}));
  const auto file = temp.file("h.xlsx");
  ASSERT_TRUE(exportChromTable(table, file, frontend));
  EXPECT_EQ(inspect(file, "print([ws.cell(7, c).value for c in range(1, 7)], ws['C4'].value, "
                          "ws['D2'].value, ws['D3'].value)"),
            "['   Среднее значение', None, None, None, '2.000', '3.0000'] 10:00:00 Кол. ликв. "
            "данных\n");
}

// A sheet without merged ranges streams its rows, one with them is held whole: both keep every
// row height and value wherever they were set.
TEST(Spreadsheet, StreamedAndHeldSheetsKeepHeightsValuesAndMerges) {
  test::TempFolder temp;
  for (const bool merged : {false, true}) {
    SCOPED_TRACE(merged ? "held" : "streamed");
    Spreadsheet sheet;
    sheet.setText(5, 2, "later");
    sheet.setRowHeight(5, 30);
    sheet.setRowHeight(7, 12);  // a row without cells
    sheet.setText(1, 1, "first");
    sheet.setNumber(1, 3, 2.5);
    sheet.setRowHeight(1, 22);
    if (merged) sheet.merge({1, 1, 2, 2});
    const auto file = temp.file(merged ? "held.xlsx" : "streamed.xlsx");
    ASSERT_TRUE(sheet.save(file));
    EXPECT_EQ(inspect(file,
                      "print(ws['A1'].value, ws['C1'].value, ws['B5'].value, "
                      "ws.row_dimensions[1].height, ws.row_dimensions[5].height, "
                      "ws.row_dimensions[7].height, [str(r) for r in ws.merged_cells.ranges])"),
              merged ? "first 2.5 later 22.0 30.0 12.0 ['A1:B2']\n"
                     : "first 2.5 later 22.0 30.0 12.0 []\n");
  }
}

TEST(SpreadsheetExport, FailureLeavesTheOldFileAndSays) {
  test::TempFolder temp;
  test::RecordingFrontend frontend;
  const ChromTable table =
      buildChromTable(ChromArchive::kMeasurement, test::chromHeader("MSA"), test::recordsOf({}));
  EXPECT_FALSE(exportChromTable(table, temp.file("missing/m.xlsx"), frontend));
  EXPECT_EQ(frontend.messages.back().line1, "Ошибка работы с файлом!");
}

TEST(SpreadsheetExport, CalibrationSheetEndsWithItsLastRecord) {
  test::TempFolder temp;
  test::RecordingFrontend frontend;
  ArchiveFileHeader header = test::chromHeader("CLB");
  const DateTime6 time{26, 3, 15, 6, 2, 30};
  const std::size_t size = CalibrationRecord::kSize;
  const auto records = test::checkRecordsOf(
      size, {test::checkRecord(size, time, 1, 0, {12.5F, 0.75F}, {1, 0}),
             test::checkRecord(size, time, 2, 1, {1, 2}), test::checkRecord(size, time, 1, 0, {3, 4})});
  const CheckTable table = buildCheckTable(CheckArchive::kCalibration, header, records);
  const auto file = temp.file("c.xlsx");
  ASSERT_TRUE(exportCheckTable(table, file, frontend));
  EXPECT_EQ(frontend.progressMaximum, 3 + 3 + 5);

  EXPECT_EQ(inspect(file, "print([ws.cell(r, c).value for r in (2, 3, 4, 5) for c in range(1, 7)])"),
            "['Дата', 'Время', 'Номер', 'Статус', 'CH4', 'Плотность', "
            "None, None, 'т/п', 'калибр.', '%', 'кг/м3', "
            "'15.03.26', '06:02:30', '1', 'Прошла', '12.500', '0.7500', "
            "'15.03.26', '06:02:30', '2', 'Не прошла', '1.000', '2.0000']\n");
  EXPECT_EQ(inspect(file, "print(ws.max_row, ws['B1'].value[:20], ws['A6'].font.name, "
                          "ws['E6'].number_format, [ws.column_dimensions[c].width for c in 'ABCDEF'])"),
            "6 Калибровочные данные Courier New @ [9.7109375, 9.7109375, 5.7109375, 8.7109375, 9.7109375, "
            "9.7109375]\n");  // widths as the file stores them, with padding
}

}  // namespace
}  // namespace zvc
