#pragma once

#include <QDialog>
#include <chrono>
#include <string_view>
#include <vector>

#include "core/tables/momentary_data.h"
#include "gui/tables/view_poller.h"

class QBoxLayout;
class QLineEdit;
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
  // The momentary views' layout: the grid of values (first column stretched), below it the
  // labelled read-only field of the data's time, then the buttons. Gives the time field.
  QLineEdit* layOutGrid(QTableWidget* grid, std::string_view timeLabel, const char* timeName);
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
