#pragma once

#include <QLabel>
#include <QPointer>
#include <QProgressDialog>
#include <QTimer>
#include <QWidget>
#include <array>

#include "core/ui/frontend.h"

namespace zvc {

// The program's Frontend until the message dialog TFormQues and the progress window TFormWait
// exist: messages in a plain message box, progress in a plain progress dialog, status texts in
// labels the main window hands over.
class GuiFrontend : public Frontend {
 public:
  explicit GuiFrontend(QWidget* parentWindow = nullptr);
  ~GuiFrontend() override;

  // Status bar 1 panels 0..3, kStatusBar2, kStatusBar3; a panel without a label shows nothing.
  void setStatusLabel(int panel, QLabel* label);

  bool showMessage(int kind, std::string_view line1, std::string_view line2) override;
  void setStatus(int panel, std::string_view text) override;
  void startMessageTimer() override;
  void progressBegin(int mode, int maximum) override;
  void progressSet(int position) override;
  void progressEnd() override;
  void processEvents() override;
  // Escape reaches the modem waits once the main window's key hook exists.
  bool takeEscape() override { return false; }
  void setBusy(bool busy) override;

 private:
  QPointer<QWidget> parentWindow_;
  std::array<QPointer<QLabel>, kStatusBar3 + 1> labels_;
  QTimer messageTimer_;
  QPointer<QProgressDialog> progress_;
  bool busy_ = false;
};

}  // namespace zvc
