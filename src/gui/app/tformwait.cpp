#include "gui/app/tformwait.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace zvc {
namespace {

struct WaitMode {
  const char* line2;
  const char* line3;
};

// Modes 1..4.
constexpr WaitMode kModes[] = {
    {"Выполняется чтение данных", "Esc - прервать чтение"},
    {"Выполняется запись параметров", "конфигурации в контроллер"},
    {"Выполняется чтение", "таблиц параметров конфигурации"},
    {"Выполняется создание", "таблицы в формате Excel"},
};

const WaitMode& modeOf(int mode) {
  return kModes[(mode >= 1 && mode <= 4 ? mode : 1) - 1];
}

constexpr int kWindowWidth = 320;

}  // namespace

TFormWait::TFormWait(int mode, QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setWindowTitle("...");
  const WaitMode& shown = modeOf(mode);
  auto* layout = new QVBoxLayout(this);
  const QString lines[3] = {"Ожидайте...", QString::fromUtf8(shown.line2),
                            QString::fromUtf8(shown.line3)};
  for (int n = 0; n < 3; ++n) {
    auto* label = new QLabel(lines[n], this);
    label->setObjectName(QString("line%1").arg(n + 1));
    label->setAlignment(Qt::AlignCenter);
    layout->addWidget(label);
  }
  progress_ = new QProgressBar(this);
  progress_->setTextVisible(false);
  layout->addWidget(progress_);
  setFixedWidth(kWindowWidth);
}

void TFormWait::setMaximum(int maximum) {
  progress_->setMaximum(maximum);
}

void TFormWait::setPosition(int position) {
  progress_->setValue(position);
}

void TFormWait::closeEvent(QCloseEvent* event) {
  if (event->spontaneous()) event->ignore();
}

}  // namespace zvc
