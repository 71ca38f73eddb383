#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <QStringList>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zvc {

// A read-only grid of texts under headings of one or more lines each. The texts stay where the
// table that built them keeps them; the model asks for those the view paints.
class TextGridModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  // The text of a cell inside the grid, UTF-8.
  using CellText = std::function<std::string_view(std::size_t row, std::size_t column)>;

  // One heading per column: its lines joined by "\n".
  TextGridModel(std::vector<QString> headings, std::size_t rows, CellText cell,
                QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

 private:
  std::vector<QString> headings_;
  std::size_t rows_;
  CellText cell_;
};

// The headings of `columns` columns from rows of heading lines (lines[line][column]).
template <typename HeadingLines>
std::vector<QString> stackedHeadings(const HeadingLines& lines, std::size_t columns) {
  std::vector<QString> headings(columns);
  for (std::size_t column = 0; column < columns; ++column) {
    QStringList stack;
    for (const auto& line : lines) stack << QString::fromStdString(std::string(line[column]));
    headings[column] = stack.join('\n');
  }
  return headings;
}

}  // namespace zvc
