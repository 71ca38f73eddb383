#pragma once

#include <QDialog>
#include <array>
#include <string>

#include "core/common/calendar.h"

class QButtonGroup;
class QComboBox;
class QDateEdit;
class QPushButton;

namespace zvc {

class ArchiveDialogSettings;
class Frontend;

// "Ввод периода времени запрашиваемых данных": the last hour, the last day or a typed period,
// all measured by the computer's clock. The dialog keeps its choice and the typed period in
// `settings`.
class TFormPeriod : public QDialog {
  Q_OBJECT

 public:
  // `now` is the computer's clock (tests pass a fixed one).
  TFormPeriod(ArchiveDialogSettings& settings, Frontend& frontend, QWidget* parent = nullptr,
              const DateTime6& now = localNow());

  // Valid after exec() == QDialog::Accepted.
  DateTime6 begin() const { return begin_; }
  DateTime6 end() const { return end_; }

 private:
  // The date and the three time fields of one end of the period.
  struct MomentFields {
    QDateEdit* date = nullptr;
    QComboBox* hour = nullptr;
    QComboBox* minute = nullptr;
    QComboBox* second = nullptr;

    void show(const DateTime6& moment, bool enabled) const;
    // Hour, minute and second as they read, chosen or typed.
    std::array<std::string, 3> timeTexts() const;
  };

  QWidget* momentGroup(const char* caption, const QString& nameSuffix, MomentFields& fields);
  QWidget* choiceGroup();
  void choose(int choice);
  void AcceptClick();

  ArchiveDialogSettings& settings_;
  Frontend& frontend_;
  DateTime6 now_;
  QButtonGroup* choices_ = nullptr;
  MomentFields beginFields_;
  MomentFields endFields_;
  QPushButton* accept_ = nullptr;
  DateTime6 begin_;
  DateTime6 end_;
};

}  // namespace zvc
