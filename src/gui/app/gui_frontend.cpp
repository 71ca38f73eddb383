#include "gui/app/gui_frontend.h"

#include <QApplication>
#include <QWindow>

#include "gui/app/escape_hook.h"
#include "gui/app/tformques.h"
#include "gui/widgets/qt_text.h"

namespace zvc {
namespace {

// Over the main window and kept in front of it, yet not its child: the main window is disabled
// meanwhile, and a child window would be disabled with it.
void showOver(QWidget& window, QWidget* mainWindow) {
  window.adjustSize();
  if (mainWindow) {
    window.move(mainWindow->geometry().center() - window.rect().center());
    window.winId();
    if (QWindow* owner = mainWindow->windowHandle()) {
      window.windowHandle()->setTransientParent(owner);
    }
  }
  window.show();
  window.raise();
  window.activateWindow();
}

}  // namespace

GuiFrontend::GuiFrontend(QWidget* mainWindow) : mainWindow_(mainWindow) {}

GuiFrontend::~GuiFrontend() {
  progressEnd();
  setBusy(false);
}

void GuiFrontend::setStatusLabel(int panel, QLabel* label) {
  if (panel >= 0 && panel < static_cast<int>(labels_.size())) labels_[panel] = label;
}

bool GuiFrontend::showMessage(int kind, std::string_view line1, std::string_view line2) {
  TFormQues dialog(kind, qtText(line1), qtText(line2), mainWindow_);
  // The wait cursor would hide that the dialog waits for the user.
  QApplication::setOverrideCursor(Qt::ArrowCursor);
  dialog.exec();
  QApplication::restoreOverrideCursor();
  return dialog.answer();
}

void GuiFrontend::setStatus(int panel, std::string_view line) {
  if (panel < 0 || panel >= static_cast<int>(labels_.size()) || !labels_[panel]) return;
  labels_[panel]->setText(qtText(line));
}

void GuiFrontend::startMessageTimer() {
  if (messageTimer_) messageTimer_->start();
}

void GuiFrontend::progressBegin(int mode, int maximum) {
  progressEnd();
  if (escapeHook_) escapeHook_->forgetEscape();
  progress_ = new TFormWait(mode);
  progress_->setMaximum(maximum);
  if (mainWindow_) mainWindow_->setEnabled(false);
  showOver(*progress_, mainWindow_);
}

void GuiFrontend::progressSet(int position) {
  if (progress_) progress_->setPosition(position);
}

void GuiFrontend::progressEnd() {
  if (!progress_) return;
  delete progress_.data();
  if (mainWindow_) {
    mainWindow_->setEnabled(true);
    mainWindow_->raise();
    mainWindow_->activateWindow();
  }
}

void GuiFrontend::processEvents() {
  QCoreApplication::processEvents();
}

bool GuiFrontend::takeEscape() {
  return escapeHook_ && escapeHook_->takeEscape();
}

void GuiFrontend::setBusy(bool busy) {
  if (busy == busy_) return;
  busy_ = busy;
  if (busy) {
    // A press from before the wait must not cut it short.
    if (escapeHook_) escapeHook_->forgetEscape();
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

}  // namespace zvc
