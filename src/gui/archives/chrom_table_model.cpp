#include "gui/archives/chrom_table_model.h"

#include "core/archives/chrom_archives.h"

namespace zvc {

ChromTableModel::ChromTableModel(const ChromTable& table, QObject* parent)
    : QAbstractTableModel(parent), table_(table) {}

int ChromTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(table_.rows.size());
}

int ChromTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : table_.columnCount();
}

QVariant ChromTableModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid()) return {};
  const auto& row = table_.rows[static_cast<std::size_t>(index.row())];
  return QString::fromStdString(row[static_cast<std::size_t>(index.column())]);
}

QVariant ChromTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
  const auto column = static_cast<std::size_t>(section);
  return QString::fromStdString(table_.headings[0][column] + "\n" + table_.headings[1][column]);
}

}  // namespace zvc
