#pragma once

#include <QDialog>

namespace zvc {

// "О программе": what the program is, its version and what it serves.
class TFormAbout : public QDialog {
  Q_OBJECT

 public:
  explicit TFormAbout(QWidget* parent = nullptr);
};

}  // namespace zvc
