#pragma once

#include <QAbstractTableModel>

namespace zvc {

struct ChromTable;

// The grid of a chromatograph table: one row per record; the two heading rows stand as two lines
// in the heading above each column.
class ChromTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  // `table` must outlive the model.
  explicit ChromTableModel(const ChromTable& table, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

 private:
  const ChromTable& table_;
};

}  // namespace zvc
