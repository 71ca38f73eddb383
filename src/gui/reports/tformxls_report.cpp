#include "gui/reports/tformxls_report.h"

#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>

#include "core/ui/frontend.h"

namespace zvc {
namespace {
constexpr int kFirstTickMs = 100;
}  // namespace

TFormXls_Report::TFormXls_Report(const Passport& passport, std::filesystem::path file,
                                 Frontend& frontend, QWidget* parent)
    : QDialog(parent), passport_(passport), file_(std::move(file)), frontend_(frontend) {
  setWindowTitle("Ожидайте...");
  progress_ = new QProgressBar(this);
  progress_->setRange(0, passportProgressMaximum(passport.reading.mode));
  progress_->setValue(0);
  progress_->setMinimumWidth(320);
  auto* layout = new QVBoxLayout(this);
  for (const char* line : {"Выполняется формирование", "отчета в формате Excel"}) {
    layout->addWidget(new QLabel(line, this), 0, Qt::AlignHCenter);
  }
  layout->addWidget(progress_);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  QTimer::singleShot(kFirstTickMs, this, &TFormXls_Report::Timer1Timer);
}

void TFormXls_Report::Timer1Timer() {
  written_ = writePassport(passport_, file_, frontend_, [this](int step) {
    progress_->setValue(step);
    frontend_.processEvents();
  });
  accept();
}

}  // namespace zvc
