#pragma once

#include <QAbstractTableModel>

namespace zvc {

class MessageViewRows;

// The grid of a message view: eight columns, a blank margin, then the seven texts of a row under
// their headings. Texts are asked of the rows only
// for the cells the grid paints, so a view of many messages opens at once.
class MessageViewModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  static constexpr int kColumns = 8;

  // `rows` must outlive the model.
  explicit MessageViewModel(const MessageViewRows& rows, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

 private:
  const MessageViewRows& rows_;
};

}  // namespace zvc
