#pragma once

#include <QDialog>
#include <vector>

#include "core/archives/message_files.h"
#include "gui/widgets/report_output.h"
#include "report/message_table_band.h"

class QLabel;
class QTableView;

namespace zvc {

class Frontend;
class MessageViewModel;
class MessageViewRows;
class WorkingFolder;

// The window both message views share: the messages in a grid, a status line that warns of
// unsound records, and "Сохранить в файле", "Печать", "Выход".
class MessageViewWindow : public QDialog {
  Q_OBJECT

 public:
  // `rows` (with the header and records behind it) and `folder` must outlive the window.
  MessageViewWindow(const MessageViewRows& rows, const WorkingFolder& folder, Frontend& frontend,
                    QWidget* parent = nullptr);

  // The save dialog of "Сохранить в файле".
  AskFileName askSaveFileName;
  // Where "Печать" sends the report.
  ReportOutput reportOutput;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QTableView* makeGrid();
  QLabel* makeStatusLine();
  void SaveClick();
  void PrintClick();
  // Columns 1..7 of every row, as the report prints them.
  std::vector<MessageReportRow> gridTexts() const;

  const MessageViewRows& rows_;
  const WorkingFolder& folder_;
  Frontend& frontend_;
  MessageViewModel* model_;
  QTableView* grid_;
};

}  // namespace zvc
