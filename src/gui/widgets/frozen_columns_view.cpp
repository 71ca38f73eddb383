#include "gui/widgets/frozen_columns_view.h"

#include <QHeaderView>
#include <QScrollBar>
#include <algorithm>

namespace zvc {

FrozenColumnsView::FrozenColumnsView(QAbstractItemModel* model, int frozenColumns, QWidget* parent)
    : QTableView(parent), frozen_(new QTableView(this)), frozenColumns_(frozenColumns) {
  setModel(model);
  setHorizontalScrollMode(ScrollPerPixel);
  setVerticalScrollMode(ScrollPerItem);

  frozen_->setModel(model);
  frozen_->setSelectionModel(selectionModel());
  frozen_->setFocusPolicy(Qt::NoFocus);
  frozen_->verticalHeader()->hide();
  frozen_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  frozen_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  frozen_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  frozen_->setVerticalScrollMode(ScrollPerItem);
  frozen_->setEditTriggers(NoEditTriggers);
  frozen_->setSelectionBehavior(SelectRows);
  frozen_->setStyleSheet("QTableView { border: none; }");
  for (int column = frozenColumns_; column < model->columnCount(); ++column) {
    frozen_->setColumnHidden(column, true);
  }
  viewport()->stackUnder(frozen_);
  frozen_->show();

  connect(horizontalHeader(), &QHeaderView::sectionResized, this,
          &FrozenColumnsView::copyColumnWidth);
  connect(verticalHeader(), &QHeaderView::sectionResized, this,
          [this](int row, int, int height) { frozen_->setRowHeight(row, height); });
  connect(frozen_->verticalScrollBar(), &QAbstractSlider::valueChanged, verticalScrollBar(),
          &QAbstractSlider::setValue);
  connect(verticalScrollBar(), &QAbstractSlider::valueChanged, frozen_->verticalScrollBar(),
          &QAbstractSlider::setValue);
  placeFrozenPart();
}

void FrozenColumnsView::fitColumnsToContents() {
  resizeColumnsToContents();
  for (int column = 0; column < frozenColumns_; ++column) {
    frozen_->setColumnWidth(column, columnWidth(column));
  }
  placeFrozenPart();
}

QSize FrozenColumnsView::fullSize() const {
  int width = 2 * frameWidth() + verticalScrollBar()->sizeHint().width();
  if (!verticalHeader()->isHidden()) width += verticalHeader()->width();
  for (int column = 0; column < model()->columnCount(); ++column) width += columnWidth(column);
  const int rows = model()->rowCount();
  const int height = 2 * frameWidth() + horizontalHeader()->sizeHint().height() +
                     horizontalScrollBar()->sizeHint().height() +
                     rows * verticalHeader()->defaultSectionSize();
  return {width, height};
}

void FrozenColumnsView::copyColumnWidth(int column, int, int newWidth) {
  if (column >= frozenColumns_) return;
  frozen_->setColumnWidth(column, newWidth);
  placeFrozenPart();
}

int FrozenColumnsView::frozenWidth() const {
  int width = 0;
  for (int column = 0; column < frozenColumns_; ++column) width += columnWidth(column);
  return width;
}

void FrozenColumnsView::placeFrozenPart() {
  const int left = (verticalHeader()->isHidden() ? 0 : verticalHeader()->width()) + frameWidth();
  frozen_->setGeometry(left, frameWidth(), frozenWidth(),
                       viewport()->height() + horizontalHeader()->height());
}

void FrozenColumnsView::resizeEvent(QResizeEvent* event) {
  QTableView::resizeEvent(event);
  placeFrozenPart();
}

// The cursor moving left stays right of the fixed columns, in sight.
QModelIndex FrozenColumnsView::moveCursor(CursorAction cursorAction,
                                          Qt::KeyboardModifiers modifiers) {
  const QModelIndex current = QTableView::moveCursor(cursorAction, modifiers);
  if (cursorAction == MoveLeft && current.column() >= frozenColumns_ &&
      visualRect(current).topLeft().x() < frozenWidth()) {
    const int newValue =
        horizontalScrollBar()->value() + visualRect(current).topLeft().x() - frozenWidth();
    horizontalScrollBar()->setValue(newValue);
  }
  return current;
}

// A fixed column is always in sight: only the rows scroll to it.
void FrozenColumnsView::scrollTo(const QModelIndex& index, ScrollHint hint) {
  if (index.column() >= frozenColumns_) {
    QTableView::scrollTo(index, hint);
  } else {
    const int inSight = columnAt(frozenWidth() + 1);
    QTableView::scrollTo(model()->index(index.row(), std::max(inSight, frozenColumns_)), hint);
  }
}

}  // namespace zvc
