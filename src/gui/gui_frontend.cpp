#include "gui/gui_frontend.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>

namespace zvc {
namespace {

constexpr int kMessageTimerMs = 3000;
constexpr int kErrorTextPanel = 2;

struct MessageKind {
  const char* caption;
  const char* line3;  // nullptr: none
  bool question;      // "Да" / "Нет"
};

// Kinds 1..7.
constexpr MessageKind kKinds[] = {
    {"Ошибка", nullptr, false},
    {"Ошибка ввода параметров", nullptr, false},
    {"", nullptr, true},
    {"", "(см. текущее состояние контроллера)", false},
    {"Результат обмена с устройством", nullptr, false},
    {"", nullptr, false},
    {"", "Повторить попытку?", true},
};

const MessageKind& kindOf(int kind) {
  const int known = kind >= 1 && kind <= 7 ? kind : 6;
  return kKinds[known - 1];
}

QString text(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// Lines 2 and 3 appear when set.
QString messageLines(const MessageKind& kind, std::string_view line1, std::string_view line2) {
  QStringList lines{text(line1)};
  if (!line2.empty()) lines << text(line2);
  if (kind.line3) lines << kind.line3;
  return lines.join('\n');
}

struct ProgressMode {
  const char* line2;
  const char* line3;
};

// Modes 1..4.
constexpr ProgressMode kProgressModes[] = {
    {"Выполняется чтение данных", "Esc - прервать чтение"},
    {"Выполняется запись параметров", "конфигурации в контроллер"},
    {"Выполняется чтение", "таблиц параметров конфигурации"},
    {"Выполняется создание", "таблицы в формате Excel"},
};

}  // namespace

GuiFrontend::GuiFrontend(QWidget* parentWindow) : parentWindow_(parentWindow) {
  messageTimer_.setSingleShot(true);
  messageTimer_.setInterval(kMessageTimerMs);
  QObject::connect(&messageTimer_, &QTimer::timeout, [this] { setStatus(kErrorTextPanel, ""); });
}

GuiFrontend::~GuiFrontend() {
  progressEnd();
  setBusy(false);
}

void GuiFrontend::setStatusLabel(int panel, QLabel* label) {
  if (panel >= 0 && panel < static_cast<int>(labels_.size())) labels_[panel] = label;
}

bool GuiFrontend::showMessage(int kind, std::string_view line1, std::string_view line2) {
  const MessageKind& shown = kindOf(kind);
  QMessageBox box(parentWindow_);
  box.setWindowTitle(shown.caption);
  box.setText(messageLines(shown, line1, line2));
  QPushButton* yes = nullptr;
  if (shown.question) {
    box.addButton("Нет", QMessageBox::NoRole);
    yes = box.addButton("Да", QMessageBox::YesRole);
    box.setDefaultButton(yes);
  } else {
    box.setDefaultButton(box.addButton(QMessageBox::Ok));
  }
  // The wait cursor would hide that the box waits for the user.
  QApplication::setOverrideCursor(Qt::ArrowCursor);
  box.exec();
  QApplication::restoreOverrideCursor();
  return yes && box.clickedButton() == yes;
}

void GuiFrontend::setStatus(int panel, std::string_view line) {
  if (panel < 0 || panel >= static_cast<int>(labels_.size()) || !labels_[panel]) return;
  labels_[panel]->setText(text(line));
}

void GuiFrontend::startMessageTimer() {
  messageTimer_.start();
}

void GuiFrontend::progressBegin(int mode, int maximum) {
  progressEnd();
  const ProgressMode& lines = kProgressModes[mode >= 1 && mode <= 4 ? mode - 1 : 0];
  progress_ = new QProgressDialog(QString("Ожидайте...\n%1\n%2").arg(lines.line2, lines.line3),
                                  QString(), 0, maximum, parentWindow_);
  progress_->setWindowTitle("...");
  progress_->setMinimumDuration(0);
  progress_->setWindowModality(Qt::NonModal);
  progress_->show();
  if (parentWindow_) parentWindow_->setEnabled(false);
}

void GuiFrontend::progressSet(int position) {
  if (progress_) progress_->setValue(position);
}

void GuiFrontend::progressEnd() {
  if (!progress_) return;
  delete progress_.data();
  if (parentWindow_) {
    parentWindow_->setEnabled(true);
    parentWindow_->raise();
  }
}

void GuiFrontend::processEvents() {
  QCoreApplication::processEvents();
}

void GuiFrontend::setBusy(bool busy) {
  if (busy == busy_) return;
  busy_ = busy;
  if (busy) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

}  // namespace zvc
