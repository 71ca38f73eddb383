#include "gui/widgets/text_grid_model.h"

namespace zvc {

TextGridModel::TextGridModel(std::vector<QString> headings, std::size_t rows, CellText cell,
                             QObject* parent)
    : QAbstractTableModel(parent),
      headings_(std::move(headings)),
      rows_(rows),
      cell_(std::move(cell)) {}

int TextGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_);
}

int TextGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(headings_.size());
}

QVariant TextGridModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid()) return {};
  const std::string_view text =
      cell_(static_cast<std::size_t>(index.row()), static_cast<std::size_t>(index.column()));
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QVariant TextGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
      static_cast<std::size_t>(section) >= headings_.size()) {
    return {};
  }
  return headings_[static_cast<std::size_t>(section)];
}

}  // namespace zvc
