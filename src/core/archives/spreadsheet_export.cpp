#include "core/archives/spreadsheet_export.h"

#include <charconv>
#include <cmath>

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

void writeHeadings(Spreadsheet& sheet, const ChromTable& table, int columns) {
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
      sheet.setText(2 + row, 1 + c, trimmed(table.headings[row][c]));
    }
  }
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

  const Range title{1, 1, 1, columns};
  sheet.setBorder(title, Side::kTop, Line::kThin);
  sheet.setBorder(title, Side::kBottom, Line::kThin);
  sheet.setRowHeight(1, 22);
  sheet.setFont(title, "Arial", 12, kTitleColour);
  sheet.setText(1, 2, table.caption);

  writeHeadings(sheet, table, columns);

  const int records = static_cast<int>(table.rows.size());
  const int averageRow = records + 5;
  const Range body{kFirstRecordRow, 1, averageRow, columns};
  sheet.setFont(body, "Courier New", 9);
  sheet.setAlignment(body, Align::kCentre);
  sheet.setTextFormat(body);
  for (int i = 0; i < records; ++i) {
    const auto& row = table.rows[i];
    for (int c = 0; c < columns; ++c) {
      const int parameter = c - table.firstValueColumn;
      sheet.setText(kFirstRecordRow + i, 1 + c,
                    parameter < 0 ? trimmed(row[c])
                                  : sheetValueText(row[c], table.decimals[parameter]));
    }
  }

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

bool exportChromTable(const ChromTable& table, const std::filesystem::path& file,
                      Frontend& frontend) {
  bool saved = false;
  {
    BusyCursor busy(frontend);
    const int rows = static_cast<int>(table.rows.size()) + 5;
    frontend.progressBegin(kSpreadsheetProgress, rows + 5);
    const Spreadsheet sheet = chromTableSheet(table);
    frontend.progressSet(rows);
    saved = sheet.save(file);
    frontend.progressSet(rows + 5);
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

}  // namespace zvc
