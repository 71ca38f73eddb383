#pragma once

#include <QLabel>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <array>

#include "core/ui/frontend.h"
#include "gui/app/escape_hook.h"
#include "gui/app/tformwait.h"

namespace zvc {

// The program's Frontend: messages in the message dialog TFormQues, progress in the progress
// window TFormWait, status texts in the labels of the main window's status bars.
class GuiFrontend : public Frontend {
 public:
  // The main window is disabled while a progress window shows.
  explicit GuiFrontend(QWidget* mainWindow = nullptr);
  ~GuiFrontend() override;

  // Status bar 1 panels 0..3, kStatusBar2, kStatusBar3; a panel without a label shows nothing.
  void setStatusLabel(int panel, QLabel* label);
  // The main window's message timer, which empties panel 2 when it fires.
  void setMessageTimer(QTimer* timer) { messageTimer_ = timer; }
  // Where Escape presses are seen; without it no wait is ever interrupted.
  void setEscapeHook(EscapeHook* hook) { escapeHook_ = hook; }

  bool showMessage(int kind, std::string_view line1, std::string_view line2) override;
  void setStatus(int panel, std::string_view text) override;
  void startMessageTimer() override;
  void progressBegin(int mode, int maximum) override;
  void progressSet(int position) override;
  void progressEnd() override;
  void processEvents() override;
  bool takeEscape() override;
  void setBusy(bool busy) override;

  // The progress window while one shows.
  TFormWait* progressWindow() const { return progress_; }

 private:
  QPointer<QWidget> mainWindow_;
  std::array<QPointer<QLabel>, kStatusBar3 + 1> labels_;
  QPointer<QTimer> messageTimer_;
  QPointer<EscapeHook> escapeHook_;
  QPointer<TFormWait> progress_;
  bool busy_ = false;
};

}  // namespace zvc
