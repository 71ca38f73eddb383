#pragma once

#include <QWidget>

class QProgressBar;

namespace zvc {

// The progress window of long operations: three lines naming what runs (modes 1..4), a progress
// bar, no buttons. Modeless; whoever shows it disables the main window meanwhile.
class TFormWait : public QWidget {
  Q_OBJECT

 public:
  explicit TFormWait(int mode, QWidget* parent = nullptr);

  void setMaximum(int maximum);
  void setPosition(int position);
  QProgressBar* progressBar() const { return progress_; }

 protected:
  // The window ends with its operation, not at the user's request.
  void closeEvent(QCloseEvent* event) override;

 private:
  QProgressBar* progress_;
};

}  // namespace zvc
