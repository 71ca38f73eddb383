#pragma once

#include <QDialog>

#include "core/archives/archive_file_header.h"
#include "core/archives/archive_records.h"
#include "core/archives/moisture_archives.h"
#include "core/common/save_file_name.h"
#include "gui/widgets/report_output.h"

class QTableView;

namespace zvc {

class Frontend;
class TextGridModel;
class WorkingFolder;

// The window the three moisture-meter tables share: the records in a grid under four-line column
// captions, "Печать", "График", "Сохранить в файле" and "Выход".
class MoistureTableWindow : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kWidth = 720;

  // `header`, `records` and `folder` must outlive the window; it neither owns nor frees them.
  MoistureTableWindow(MoistureArchive archive, const ArchiveFileHeader& header,
                      const ArchiveRecords& records, const WorkingFolder& folder,
                      Frontend& frontend, QWidget* parent = nullptr);

  const MoistureTable& table() const { return table_; }
  QTableView* grid() const { return grid_; }

  // The save dialog of "Сохранить в файле".
  AskFileName askSaveFileName;
  // Where "Печать" sends the report.
  ReportOutput reportOutput;

 private:
  QTableView* makeGrid();
  void PrintClick();
  void ChartClick();
  void SaveClick();

  MoistureArchive archive_;
  const ArchiveFileHeader& header_;
  const ArchiveRecords& records_;
  const WorkingFolder& folder_;
  Frontend& frontend_;
  MoistureTable table_;
  TextGridModel* model_;
  QTableView* grid_;
};

}  // namespace zvc
