#include "core/common/spreadsheet.h"

#include <unistd.h>
#include <xlsxwriter.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <system_error>

namespace zvc {
namespace {

std::uint8_t borderStyle(Spreadsheet::Line line) {
  switch (line) {
    case Spreadsheet::Line::kNone:
      return LXW_BORDER_NONE;
    case Spreadsheet::Line::kThin:
      return LXW_BORDER_THIN;
    case Spreadsheet::Line::kMedium:
      return LXW_BORDER_MEDIUM;
  }
  return LXW_BORDER_NONE;
}

lxw_format* makeFormat(lxw_workbook* book, const Spreadsheet::Style& style) {
  lxw_format* f = workbook_add_format(book);
  format_set_font_name(f, style.fontName.c_str());
  format_set_font_size(f, style.fontSize);
  format_set_font_color(f, style.fontColour);
  if (style.bold) format_set_bold(f);
  if (style.background != Spreadsheet::kNoBackground) {
    format_set_pattern(f, LXW_PATTERN_SOLID);
    format_set_bg_color(f, style.background);
  }
  if (style.horizontal == Spreadsheet::Align::kCentre) format_set_align(f, LXW_ALIGN_CENTER);
  if (style.verticalCentre) format_set_align(f, LXW_ALIGN_VERTICAL_CENTER);
  if (style.vertical) format_set_rotation(f, 90);
  if (style.text) format_set_num_format(f, "@");
  if (style.wrap) format_set_text_wrap(f);
  using S = Spreadsheet::Side;
  format_set_left(f, borderStyle(style.borders[static_cast<int>(S::kLeft)]));
  format_set_right(f, borderStyle(style.borders[static_cast<int>(S::kRight)]));
  format_set_top(f, borderStyle(style.borders[static_cast<int>(S::kTop)]));
  format_set_bottom(f, borderStyle(style.borders[static_cast<int>(S::kBottom)]));
  return f;
}

// One format per style, made when a cell first needs it.
class Formats {
 public:
  Formats(lxw_workbook* book, const std::vector<Spreadsheet::Style>& styles)
      : book_(book), styles_(styles), formats_(styles.size(), nullptr) {}
  lxw_format* of(std::size_t style) {
    if (formats_[style] == nullptr) formats_[style] = makeFormat(book_, styles_[style]);
    return formats_[style];
  }

 private:
  lxw_workbook* book_;
  const std::vector<Spreadsheet::Style>& styles_;
  std::vector<lxw_format*> formats_;
};

// A fresh name beside the target; the writer opens it itself.
std::filesystem::path temporaryBeside(const std::filesystem::path& file) {
  std::string pattern = file.string() + ".XXXXXX";
  const int fd = mkstemp(pattern.data());
  if (fd < 0) return {};
  close(fd);
  return pattern;
}

}  // namespace

Spreadsheet::Cell& Spreadsheet::cell(int row, int column) {
  if (rows_.size() < static_cast<std::size_t>(row)) rows_.resize(static_cast<std::size_t>(row));
  std::vector<Cell>& cells = rows_[static_cast<std::size_t>(row - 1)];
  if (cells.size() < static_cast<std::size_t>(column))
    cells.resize(static_cast<std::size_t>(column));
  Cell& found = cells[static_cast<std::size_t>(column - 1)];
  found.used = true;
  return found;
}

std::size_t Spreadsheet::styleIndex(const Style& style) {
  const auto found = std::find(styles_.begin(), styles_.end(), style);
  if (found != styles_.end()) return static_cast<std::size_t>(found - styles_.begin());
  styles_.push_back(style);
  return styles_.size() - 1;
}

// The change is worked out once per style the range holds, not once per cell.
template <typename Change>
void Spreadsheet::forEach(const Range& range, Change change) {
  std::map<std::size_t, std::size_t> changed;  // old style → new style
  for (int row = range.firstRow; row <= range.lastRow; ++row) {
    for (int column = range.firstColumn; column <= range.lastColumn; ++column) {
      Cell& c = cell(row, column);
      auto found = changed.find(c.style);
      if (found == changed.end()) {
        Style style = styles_[c.style];
        change(style);
        found = changed.emplace(c.style, styleIndex(style)).first;
      }
      c.style = found->second;
    }
  }
}

void Spreadsheet::setBorder(const Range& range, Side side, Line line) {
  forEach(range, [&](Style& s) { s.borders[static_cast<int>(side)] = line; });
}

void Spreadsheet::setFont(const Range& range, const std::string& name, double size,
                          std::uint32_t colour, bool bold) {
  forEach(range, [&](Style& s) {
    s.fontName = name;
    s.fontSize = size;
    s.fontColour = colour;
    s.bold = bold;
  });
}

void Spreadsheet::setBackground(const Range& range, std::uint32_t colour) {
  forEach(range, [&](Style& s) { s.background = colour; });
}

void Spreadsheet::setAlignment(const Range& range, Align horizontal, bool verticalCentre) {
  forEach(range, [&](Style& s) {
    s.horizontal = horizontal;
    s.verticalCentre = verticalCentre;
  });
}

void Spreadsheet::setVertical(const Range& range) {
  forEach(range, [](Style& s) { s.vertical = true; });
}

void Spreadsheet::setTextFormat(const Range& range) {
  forEach(range, [](Style& s) { s.text = true; });
}

void Spreadsheet::setWrap(const Range& range) {
  forEach(range, [](Style& s) { s.wrap = true; });
}

bool Spreadsheet::save(const std::filesystem::path& file) const {
  const std::filesystem::path temporary = temporaryBeside(file);
  if (temporary.empty()) return false;
  // Without merged ranges the rows stream to the file as they are written, which keeps a large
  // table fast and small in memory; a merged range needs the whole sheet held until the end.
  lxw_workbook_options options{};
  options.constant_memory = merges_.empty() ? LXW_TRUE : LXW_FALSE;
  lxw_workbook* book = workbook_new_opt(temporary.c_str(), &options);
  if (book == nullptr) {
    std::remove(temporary.c_str());
    return false;
  }
  lxw_worksheet* sheet = workbook_add_worksheet(book, nullptr);
  const bool ok = sheet != nullptr && writeSheet(book, sheet);
  const bool closed = workbook_close(book) == LXW_NO_ERROR;
  std::error_code renameError;
  if (ok && closed) std::filesystem::rename(temporary, file, renameError);
  if (!ok || !closed || renameError) {
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}

// Rows go out in ascending order, each row's height before its cells, as streaming needs.
bool Spreadsheet::writeSheet(lxw_workbook* book, lxw_worksheet* sheet) const {
  Formats formats(book, styles_);
  bool ok = true;
  if (landscapePage_) {
    constexpr std::uint8_t kA4 = 9;
    constexpr double kMarginInches = 0.4;
    worksheet_set_landscape(sheet);
    worksheet_set_paper(sheet, kA4);
    worksheet_set_margins(sheet, kMarginInches, kMarginInches, kMarginInches, kMarginInches);
    worksheet_fit_to_pages(sheet, 1, 1);
  }
  for (const auto& [column, width] : columnWidths_) {
    if (ok)
      ok = worksheet_set_column(sheet, column - 1, column - 1, width, nullptr) == LXW_NO_ERROR;
  }
  for (const Range& r : merges_) {
    if (!ok) break;
    const auto row = static_cast<std::size_t>(r.firstRow - 1);
    const auto column = static_cast<std::size_t>(r.firstColumn - 1);
    const std::size_t style =
        row < rows_.size() && column < rows_[row].size() ? rows_[row][column].style : 0;
    ok = worksheet_merge_range(sheet, r.firstRow - 1, r.firstColumn - 1, r.lastRow - 1,
                               r.lastColumn - 1, "", formats.of(style)) == LXW_NO_ERROR;
  }
  auto height = rowHeights_.begin();
  const auto heightsUpTo = [&](int row) {
    for (; ok && height != rowHeights_.end() && height->first <= row; ++height) {
      ok = worksheet_set_row(sheet, height->first - 1, height->second, nullptr) == LXW_NO_ERROR;
    }
  };
  for (std::size_t r = 0; ok && r < rows_.size(); ++r) {
    heightsUpTo(static_cast<int>(r + 1));
    for (std::size_t c = 0; ok && c < rows_[r].size(); ++c) {
      const Cell& cell = rows_[r][c];
      if (!cell.used) continue;
      const auto row = static_cast<lxw_row_t>(r);
      const auto column = static_cast<lxw_col_t>(c);
      lxw_format* f = formats.of(cell.style);
      lxw_error error = LXW_NO_ERROR;
      if (const auto* text = std::get_if<std::string>(&cell.value)) {
        error = worksheet_write_string(sheet, row, column, text->c_str(), f);
      } else if (const auto* number = std::get_if<double>(&cell.value)) {
        error = worksheet_write_number(sheet, row, column, *number, f);
      } else {
        error = worksheet_write_blank(sheet, row, column, f);
      }
      ok = error == LXW_NO_ERROR;
    }
  }
  heightsUpTo(INT_MAX);
  return ok;
}

}  // namespace zvc
