#pragma once

#include <QDialog>

#include "core/archives/calibration_archives.h"

class QTableWidget;

namespace zvc {

class Frontend;
class WorkingFolder;

// The window both check archives share: the table in a grid whose first two rows and four columns
// are headings, and "Сохранить в формате Excel", "Сохранить в файле", "Выход". It shows the
// header and records it is given and neither owns nor frees them.
class CheckArchiveWindow : public QDialog {
  Q_OBJECT

 public:
  // The save dialogs: of "Сохранить в файле" and of the spreadsheet.
  AskFileName askSaveFileName;
  AskFileName askXlsxFileName;

  const CheckTable& table() const { return table_; }

 protected:
  CheckArchiveWindow(CheckArchive archive, const CheckReading& reading,
                     const WorkingFolder& folder, Frontend& frontend, QWidget* parent);

 private:
  QTableWidget* makeGrid();
  void fitToScreen();
  void ExcelClick();
  void SaveClick();

  CheckArchive archive_;
  const CheckReading& reading_;
  const WorkingFolder& folder_;
  Frontend& frontend_;
  CheckTable table_;
  QTableWidget* grid_;
};

// The calibration archive's window.
class TFormArhiv_Clb final : public CheckArchiveWindow {
  Q_OBJECT

 public:
  TFormArhiv_Clb(const CheckReading& reading, const WorkingFolder& folder, Frontend& frontend,
                 QWidget* parent = nullptr)
      : CheckArchiveWindow(CheckArchive::kCalibration, reading, folder, frontend, parent) {}
};

// The verification archive's window.
class TFormArhiv_Verif final : public CheckArchiveWindow {
  Q_OBJECT

 public:
  TFormArhiv_Verif(const CheckReading& reading, const WorkingFolder& folder, Frontend& frontend,
                   QWidget* parent = nullptr)
      : CheckArchiveWindow(CheckArchive::kVerification, reading, folder, frontend, parent) {}
};

}  // namespace zvc
