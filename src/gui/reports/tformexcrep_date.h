#pragma once

#include <QDialog>
#include <filesystem>

#include "core/archives/chrom_archive_reader.h"
#include "core/link/subscribers.h"
#include "core/reports/passport_reader.h"

class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace zvc {

class Frontend;

// The report date dialog of the passports: the day (daily) or month (monthly) within the daily
// archive and the object the passport is for. The object list is the live one; a new object is
// saved to `objectsFile` at once.
class TFormExcRep_Date : public QDialog {
  Q_OBJECT

 public:
  TFormExcRep_Date(PassportMode mode, const ArchiveRange& range, int contractHour,
                   ObjectList& objects, std::filesystem::path objectsFile, Frontend& frontend,
                   QWidget* parent = nullptr);

  // Valid after exec() == QDialog::Accepted: the day (monthly: day 1) at the contract hour, and
  // the chosen object's name.
  DateHour4 date() const { return date_; }
  const std::string& object() const { return objectName_; }

 private:
  void fillObjects();
  void objectChosen(int item);
  void listClicked();
  void monthOrYearChanged();
  void AcceptClick();
  Date3 shownDate() const;

  PassportMode mode_;
  ArchiveRange range_;
  int contractHour_;
  ObjectList& objects_;
  std::filesystem::path objectsFile_;
  Frontend& frontend_;
  QSpinBox* year_ = nullptr;
  QComboBox* month_ = nullptr;
  QSpinBox* day_ = nullptr;
  QComboBox* object_ = nullptr;
  DateHour4 date_;
  std::string objectName_;
};

}  // namespace zvc
