#include "gui/widgets/enter_moves_focus.h"

#include <QKeyEvent>

namespace zvc {

EnterMovesFocus::EnterMovesFocus(QWidget* field, QWidget* next) : QObject(field), next_(next) {}

void EnterMovesFocus::install(QWidget* field, QWidget* next) {
  field->installEventFilter(new EnterMovesFocus(field, next));
}

bool EnterMovesFocus::eventFilter(QObject* /*watched*/, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  const int key = static_cast<const QKeyEvent*>(event)->key();
  if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
  if (next_) next_->setFocus();
  return true;
}

}  // namespace zvc
