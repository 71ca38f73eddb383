#pragma once

#include <QDialog>

#include "core/archives/chrom_archive_reader.h"
#include "core/common/calendar.h"

class QButtonGroup;
class QComboBox;
class QDateEdit;
class QPushButton;

namespace zvc {

class Frontend;

// "Ввод периода времени запрашиваемых данных" of the hourly and daily archives: the last day
// (hourly) or month (daily) by the controller's clock, or a period typed within what the archive
// holds. The hourly panel takes dates and hours, the daily one dates only.
class TFormShortDate : public QDialog {
  Q_OBJECT

 public:
  // `choice` is the run-wide remembered choice, shared by every archive that asks this way; the
  // dialog preselects it and keeps the one made. `controllerClock` is the clock the range query
  // read.
  TFormShortDate(bool daily, const ArchiveRange& range, const DateTime6& controllerClock,
                 int& choice, Frontend& frontend, QWidget* parent = nullptr);

  // Valid after exec() == QDialog::Accepted: an hour (hourly) or a date (daily), clipped to the
  // archive's range.
  DateTime6 start() const { return start_; }
  DateTime6 end() const { return end_; }

 private:
  struct MomentFields {
    QDateEdit* date = nullptr;
    QComboBox* hour = nullptr;  // hourly panel only

    void show(const DateTime6& moment, bool enabled) const;
    DateTime6 moment() const;
  };

  QWidget* momentGroup(const char* caption, const QString& nameSuffix, MomentFields& fields);
  void choose(int choice);
  void AcceptClick();

  bool daily_;
  ArchiveRange range_;
  DateTime6 controllerClock_;
  int& choice_;
  Frontend& frontend_;
  QButtonGroup* choices_ = nullptr;
  MomentFields startFields_;
  MomentFields endFields_;
  QPushButton* accept_ = nullptr;
  DateTime6 start_;
  DateTime6 end_;
};

}  // namespace zvc
