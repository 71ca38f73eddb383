#include "cli/view_printer.h"

#include <algorithm>
#include <string>

namespace zvc::cli {
namespace {

constexpr int kFirstTextColumn = 1;
constexpr int kLastTextColumn = 7;

std::string cellText(std::string text) {
  std::replace_if(
      text.begin(), text.end(), [](char c) { return c == '\t' || c == '\n' || c == '\r'; }, ' ');
  return text;
}

}  // namespace

void printView(const MessageViewRows& view, TextOutput& out) {
  out.line(view.caption());
  for (int row = 0; row < view.rowCount(); ++row) {
    std::string line;
    for (int column = kFirstTextColumn; column <= kLastTextColumn; ++column) {
      if (column > kFirstTextColumn) line += '\t';
      line += cellText(view.text(row, column));
    }
    out.line(line);
  }
}

}  // namespace zvc::cli
