#pragma once

#include <QDialog>
#include <vector>

class QPushButton;
class QTableWidget;

namespace zvc {

class TableService;
struct TableStateBlock;

// "Состояние таблиц параметров конфигурации": which configuration tables the controller reports
// destroyed, and which of them to rewrite. Closes with a TableStateResult; the write choices are
// left in the block's write-request flags. Messages go through the service's frontend.
class TFormTableInfo : public QDialog {
  Q_OBJECT

 public:
  TFormTableInfo(TableStateBlock& block, TableService& service, QWidget* parent = nullptr);

 private:
  void fillRows();
  void WriteSelectedClick();
  void WriteAllClick();
  void ResetClick();

  TableStateBlock& block_;
  TableService& service_;
  QTableWidget* tables_;
  QPushButton* writeAllButton_;
  QPushButton* writeSelectedButton_;
  QPushButton* resetButton_;
  std::vector<int> rowTables_;  // table number of each row
};

}  // namespace zvc
