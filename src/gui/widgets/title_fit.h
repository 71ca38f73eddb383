#pragma once

#include <QObject>

namespace zvc {

// Widens every dialog of fixed width, as it is shown, so that the window manager need not cut its
// caption: several of the program's captions are longer than their dialogs' fields.
class TitleFit : public QObject {
  Q_OBJECT

 public:
  using QObject::QObject;

  // The width a window needs for its caption with the title bar's buttons beside it.
  static int widthForTitle(const QWidget& window);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace zvc
