#pragma once

#include <QDialog>
#include <filesystem>

#include "core/reports/passport_sheet.h"

class QProgressBar;

namespace zvc {

class Frontend;

// "Ожидайте...": the progress window that writes a passport on the first tick of its timer,
// 100 ms after it opens, and closes when the passport is written or given up.
class TFormXls_Report : public QDialog {
  Q_OBJECT

 public:
  TFormXls_Report(const Passport& passport, std::filesystem::path file, Frontend& frontend,
                  QWidget* parent = nullptr);

  // After exec(): the passport was written.
  bool written() const { return written_; }

 private:
  void Timer1Timer();

  const Passport& passport_;
  std::filesystem::path file_;
  Frontend& frontend_;
  QProgressBar* progress_ = nullptr;
  bool written_ = false;
};

}  // namespace zvc
