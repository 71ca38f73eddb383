#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

namespace zvc {

// Enter in a field moves the focus on to the next widget instead of pressing the dialog's
// default button.
class EnterMovesFocus : public QObject {
  Q_OBJECT

 public:
  // The filter belongs to the field.
  static void install(QWidget* field, QWidget* next);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  EnterMovesFocus(QWidget* field, QWidget* next);

  QPointer<QWidget> next_;
};

}  // namespace zvc
