#pragma once

#include <QDialog>

namespace zvc {

// The program's version, shown in the About box and by --version; the build sets it.
inline constexpr char kProgramVersion[] = ZVC_VERSION;

// "О программе": what the program is, its version and what it serves.
class TFormAbout : public QDialog {
  Q_OBJECT

 public:
  explicit TFormAbout(QWidget* parent = nullptr);
};

}  // namespace zvc
