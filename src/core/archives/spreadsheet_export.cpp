#include "core/archives/spreadsheet_export.h"

#include <charconv>
#include <cmath>
#include <functional>

#include "core/common/float_format.h"
#include "core/common/format.h"
#include "core/ui/frontend.h"

namespace zvc {
namespace {

constexpr int kError = 1;
constexpr int kInformation = 6;
constexpr int kSpreadsheetProgress = 4;

constexpr std::uint32_t kTitleColour = 0x000080;  // navy
constexpr std::uint32_t kHeadingBackground = 0xD3D3D3;
constexpr int kFirstRecordRow = 4;

using Range = Spreadsheet::Range;
using Side = Spreadsheet::Side;
using Line = Spreadsheet::Line;
using Align = Spreadsheet::Align;

std::string trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string fixedText(double value, int decimals) {
  return formatFixed(value, decimals).value_or("NAN");
}

// Row 1 with the caption in B1, rows 2 and 3 with the two heading rows, every text trimmed.
void writeTitleAndHeadings(Spreadsheet& sheet, const std::string& caption,
                           const std::vector<std::vector<std::string>>& headings, int columns) {
  const Range title{1, 1, 1, columns};
  sheet.setBorder(title, Side::kTop, Line::kThin);
  sheet.setBorder(title, Side::kBottom, Line::kThin);
  sheet.setRowHeight(1, 22);
  sheet.setFont(title, "Arial", 12, kTitleColour);
  sheet.setText(1, 2, caption);

  const Range all{2, 1, 3, columns};
  sheet.setBackground(all, kHeadingBackground);
  sheet.setRowHeight(2, 13);
  sheet.setRowHeight(3, 13);
  sheet.setFont(all, "Arial", 9);
  sheet.setAlignment(all, Align::kCentre);
  sheet.setBorder(all, Side::kLeft, Line::kThin);
  sheet.setBorder({2, columns, 3, columns}, Side::kRight, Line::kThin);
  sheet.setBorder({2, 1, 2, columns}, Side::kTop, Line::kThin);
  sheet.setBorder({3, 1, 3, columns}, Side::kBottom, Line::kThin);
  for (int row = 0; row < 2; ++row) {
    for (int c = 0; c < columns; ++c) {
      sheet.setText(2 + row, 1 + c, trimmed(headings[row][c]));
    }
  }
}

// From row 4 to `lastRow` in the body style; the records from row 4: the columns before
// `firstValueColumn` as trimmed texts, the values as numbers with their decimals.
void writeRecords(Spreadsheet& sheet, const std::vector<std::vector<std::string>>& rows,
                  int firstValueColumn, const std::vector<int>& decimals, int lastRow) {
  const int columns = firstValueColumn + static_cast<int>(decimals.size());
  const Range body{kFirstRecordRow, 1, lastRow, columns};
  sheet.setFont(body, "Courier New", 9);
  sheet.setAlignment(body, Align::kCentre);
  sheet.setTextFormat(body);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const auto& row = rows[i];
    for (int c = 0; c < columns; ++c) {
      const int parameter = c - firstValueColumn;
      sheet.setText(kFirstRecordRow + static_cast<int>(i), 1 + c,
                    parameter < 0 ? trimmed(row[c]) : sheetValueText(row[c], decimals[parameter]));
    }
  }
}

// The export run: the sheet under the spreadsheet wait window (maximum `progressMaximum`), then
// the outcome told.
bool exportSheet(const std::function<Spreadsheet()>& makeSheet, int progressMaximum,
                 const std::filesystem::path& file, Frontend& frontend) {
  bool saved = false;
  {
    BusyCursor busy(frontend);
    frontend.progressBegin(kSpreadsheetProgress, progressMaximum);
    const Spreadsheet sheet = makeSheet();
    frontend.progressSet(progressMaximum - 5);
    saved = sheet.save(file);
    frontend.progressSet(progressMaximum);
    frontend.progressEnd();
  }
  if (!saved) {
    frontend.showMessage(kError, "Ошибка работы с файлом!", "");
    return false;
  }
  frontend.showMessage(kInformation,
                       format("Данные сохранены в файле %s", file.filename().string().c_str()), "");
  return true;
}

}  // namespace

std::string sheetValueText(const std::string& gridText, int decimals) {
  const auto first = gridText.find_first_not_of(' ');
  if (first != std::string::npos) {
    const char* begin = gridText.data() + first;
    const char* end = gridText.data() + gridText.size();
    double value = 0;
    const auto [stop, error] = std::from_chars(begin, end, value);
    if (error == std::errc() && std::isfinite(value) && (stop == end || *stop == ' ')) {
      return fixedText(value, decimals);
    }
  }
  return trimmed(gridText);
}

Spreadsheet chromTableSheet(const ChromTable& table) {
  Spreadsheet sheet;
  const int columns = table.columnCount();
  const int widthColumns = table.archive == ChromArchive::kMeasurement ? columns : columns - 1;
  for (int c = 1; c <= widthColumns; ++c) sheet.setColumnWidth(c, 9);
  writeTitleAndHeadings(sheet, table.caption, table.headings, columns);

  const int averageRow = static_cast<int>(table.rows.size()) + 5;
  writeRecords(sheet, table.rows, table.firstValueColumn, table.decimals, averageRow);
  const bool measurement = table.archive == ChromArchive::kMeasurement;
  sheet.setText(averageRow, 1, measurement ? "Среднее значение" : "   Среднее значение");
  sheet.setAlignment({averageRow, 1, averageRow, 1}, Align::kGeneral);
  sheet.setFont({averageRow, 1, averageRow, 1}, "Arial", 12, kTitleColour);
  for (std::size_t p = 0; p < table.averages.size(); ++p) {
    sheet.setText(averageRow, table.firstValueColumn + 1 + static_cast<int>(p),
                  fixedText(table.averages[p], table.decimals[p]));
  }
  return sheet;
}

Spreadsheet checkTableSheet(const CheckTable& table) {
  Spreadsheet sheet;
  const int columns = table.columnCount();
  constexpr double kFixedWidths[CheckTable::kFixedColumns] = {9, 9, 5, 8};
  for (int c = 1; c <= columns; ++c) {
    sheet.setColumnWidth(c, c <= CheckTable::kFixedColumns ? kFixedWidths[c - 1] : 9);
  }
  writeTitleAndHeadings(sheet, table.caption, table.headings, columns);
  writeRecords(sheet, table.rows, CheckTable::kFixedColumns, table.decimals,
               static_cast<int>(table.rows.size()) + 3);
  return sheet;
}

bool exportChromTable(const ChromTable& table, const std::filesystem::path& file,
                      Frontend& frontend) {
  const int rows = static_cast<int>(table.rows.size()) + 5;
  return exportSheet([&] { return chromTableSheet(table); }, rows + 5, file, frontend);
}

bool exportCheckTable(const CheckTable& table, const std::filesystem::path& file,
                      Frontend& frontend) {
  const int rows = static_cast<int>(table.rows.size()) + 3;
  return exportSheet([&] { return checkTableSheet(table); }, rows + 5, file, frontend);
}

}  // namespace zvc
