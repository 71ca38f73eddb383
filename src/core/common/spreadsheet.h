#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <variant>
#include <vector>

struct lxw_workbook;
struct lxw_worksheet;

namespace zvc {

// Offered after a sheet was written, and told when the desktop has no program for it.
inline constexpr const char* kOpenSpreadsheetQuestion = "Открыть таблицу для просмотра?";
inline constexpr const char* kNoSpreadsheetViewer = "Нет программы для просмотра таблицы";

// A one-sheet workbook built in memory with the operations the archive exports use, written to an
// ".xlsx" file in one pass. Rows and columns count from 1, as spreadsheet users count them.
class Spreadsheet {
 public:
  enum class Side { kLeft, kRight, kTop, kBottom };
  enum class Line { kNone, kThin, kMedium };
  enum class Align { kGeneral, kCentre };

  struct Style {
    std::string fontName = "Arial";
    double fontSize = 10;
    std::uint32_t fontColour = 0;  // 0xRRGGBB
    bool bold = false;
    std::uint32_t background = kNoBackground;
    Align horizontal = Align::kGeneral;
    bool verticalCentre = false;
    bool vertical = false;  // text turned 90 degrees
    bool text = false;      // number format "@"
    bool wrap = false;      // long texts and line breaks wrap within the cell
    std::array<Line, 4> borders{};

    auto operator<=>(const Style&) const = default;
  };
  static constexpr std::uint32_t kNoBackground = 0xFFFFFFFF;

  struct Range {
    int firstRow, firstColumn, lastRow, lastColumn;
  };

  void setColumnWidth(int column, double width) { columnWidths_[column] = width; }
  void setRowHeight(int row, double height) { rowHeights_[row] = height; }
  void setText(int row, int column, std::string text) { cell(row, column).value = std::move(text); }
  void setNumber(int row, int column, double value) { cell(row, column).value = value; }
  // Each cell of the range gets the line on that side of its own.
  void setBorder(const Range& range, Side side, Line line);
  void setFont(const Range& range, const std::string& name, double size, std::uint32_t colour = 0,
               bool bold = false);
  void setBackground(const Range& range, std::uint32_t colour);
  void setAlignment(const Range& range, Align horizontal, bool verticalCentre = false);
  void setVertical(const Range& range);
  void setTextFormat(const Range& range);
  void setWrap(const Range& range);
  void merge(const Range& range) { merges_.push_back(range); }
  // Printed on one landscape A4 page.
  void fitToLandscapePage() { landscapePage_ = true; }

  // Written to a temporary file beside `file` and renamed over it: a failed export leaves an
  // existing file as it was. False when anything failed.
  bool save(const std::filesystem::path& file) const;

 private:
  // A cell that was written or styled; its style is an index into styles_, since a sheet has
  // many cells and few styles.
  struct Cell {
    std::variant<std::monostate, std::string, double> value;
    std::size_t style = 0;
    bool used = false;
  };
  Cell& cell(int row, int column);
  std::size_t styleIndex(const Style& style);
  bool writeSheet(lxw_workbook* book, lxw_worksheet* sheet) const;
  template <typename Change>
  void forEach(const Range& range, Change change);

  std::vector<std::vector<Cell>> rows_;  // row r at index r - 1, column c at c - 1
  std::vector<Style> styles_{Style{}};
  std::map<int, double> columnWidths_;
  std::map<int, double> rowHeights_;
  std::vector<Range> merges_;
  bool landscapePage_ = false;
};

}  // namespace zvc
