#pragma once

#include <QDialog>
#include <chrono>
#include <vector>

#include "core/tables/momentary_data.h"
#include "gui/tables/view_poller.h"

class QBoxLayout;
class QPushButton;
class QTableWidget;

namespace zvc {

class TableService;

// What the three live views share: a poll by timer while the view is open, the toggle
// "Не обновлять данные"/"Обновлять данные", "Выход", and rows of label, value and colour. The reads
// are silent: a failed poll leaves the values shown before.
class LiveView : public QDialog {
  Q_OBJECT

 public:
  ViewPoller& poller() { return poller_; }

  void done(int result) override;

 protected:
  LiveView(TableService& tables, std::chrono::milliseconds interval, QWidget* parent);

  // The reads of one poll, then the rows shown again.
  virtual void poll() = 0;
  // The toggle, any extra buttons and "Выход", centred at the end of layout.
  void addButtonRow(QBoxLayout* layout, std::vector<QPushButton*> extra = {});
  void showEvent(QShowEvent* event) override;

  TableService& tables() const { return tables_; }

 private:
  TableService& tables_;
  ViewPoller poller_;
  QPushButton* toggle_ = nullptr;
};

// A grid of read-only rows; columns as headed.
QTableWidget* dataGrid(QWidget* parent, const char* objectName, const QStringList& headings,
                       int rows);
// One cell: its text in the line's colour, greyed and emptied when the line is disabled.
void setDataCell(QTableWidget* grid, int row, int column, const std::string& text,
                 DataColour colour, bool enabled);

}  // namespace zvc
