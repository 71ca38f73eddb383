#pragma once

#include <QTableView>

namespace zvc {

// A grid whose first columns stay in place while the others scroll sideways, as the archive
// tables keep their date and time columns in sight. The headings above the columns stay too.
// A second view over the same model and selection paints the fixed columns over the first ones.
class FrozenColumnsView : public QTableView {
  Q_OBJECT

 public:
  FrozenColumnsView(QAbstractItemModel* model, int frozenColumns, QWidget* parent = nullptr);

  QTableView* frozenPart() const { return frozen_; }
  // Every column as wide as its widest text (headings and rows in sight).
  void fitColumnsToContents();
  // What the whole table takes without scrolling, frame included.
  QSize fullSize() const;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
  void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

 private:
  int frozenWidth() const;
  void placeFrozenPart();
  void copyColumnWidth(int column, int oldWidth, int newWidth);

  QTableView* frozen_;
  int frozenColumns_;
};

}  // namespace zvc
