#pragma once

#include <QDialog>
#include <functional>
#include <optional>

#include "core/archives/archive_file_header.h"
#include "core/archives/archive_records.h"
#include "core/archives/chart_series.h"
#include "core/archives/chrom_archives.h"
#include "core/common/save_file_name.h"
#include "gui/widgets/open_exported_file.h"

namespace zvc {

class FrozenColumnsView;
class Frontend;
class TextGridModel;
class WorkingFolder;

// The window the three chromatograph tables share: the records in a grid whose headings and
// date and time columns stay in sight, "Признаки состояния" (also a double click on a row),
// "График", "Сохранить в формате Excel", "Сохранить в файле" and "Выход".
class ChromTableWindow : public QDialog {
  Q_OBJECT

 public:
  // `header`, `records` and `folder` must outlive the window; it neither owns nor frees them.
  ChromTableWindow(ChromArchive archive, const ArchiveFileHeader& header,
                   const ArchiveRecords& records, const WorkingFolder& folder, Frontend& frontend,
                   QWidget* parent = nullptr);

  const ChromTable& table() const { return table_; }
  FrozenColumnsView* grid() const { return grid_; }

  // The save dialogs of "Сохранить в файле" and "Сохранить в формате Excel".
  AskFileName askSaveFileName;
  AskFileName askXlsxFileName;
  // Where a written spreadsheet is opened when the user wants to see it.
  OpenWithDesktop openWithDesktop = desktopOpener();
  // The warning setpoints of the table's parameters where a controller can give them, for the
  // chart's setpoint lines; none otherwise.
  std::function<std::optional<WarningSetpoints>()> readSetpoints;

 private:
  void fitToScreen();
  void StatusClick();
  void ChartClick();
  void BitBtn5Click();
  void SaveClick();

  ChromArchive archive_;
  const ArchiveFileHeader& header_;
  const ArchiveRecords& records_;
  const WorkingFolder& folder_;
  Frontend& frontend_;
  ChromTable table_;
  TextGridModel* model_;
  FrozenColumnsView* grid_;
};

}  // namespace zvc
