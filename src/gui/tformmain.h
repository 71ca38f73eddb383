#pragma once

#include <QMainWindow>

namespace zvc {

// The program's only top-level window.
class TFormMain : public QMainWindow {
  Q_OBJECT

 public:
  explicit TFormMain(QWidget* parent = nullptr);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormShow();
};

}  // namespace zvc
