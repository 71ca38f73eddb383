#include "gui/archives/message_view_model.h"

#include "core/archives/message_view.h"

namespace zvc {

MessageViewModel::MessageViewModel(const MessageViewRows& rows, QObject* parent)
    : QAbstractTableModel(parent), rows_(rows) {}

int MessageViewModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_.rowCount();
}

int MessageViewModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumns;
}

QVariant MessageViewModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid()) return {};
  return QString::fromStdString(rows_.text(index.row(), index.column()));
}

QVariant MessageViewModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
  return QString::fromUtf8(rows_.columnHeading(section));
}

}  // namespace zvc
