#include "gui/app/escape_hook.h"

#include <QKeyEvent>

#include "core/ui/connection_state.h"

namespace zvc {

EscapeHook::EscapeHook(ConnectionState& state, QObject* parent) : QObject(parent), state_(state) {}

bool EscapeHook::takeEscape() {
  const bool seen = escapeSeen_;
  escapeSeen_ = false;
  return seen;
}

bool EscapeHook::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
    escapeSeen_ = true;
    if (state_.archiveReadInProgress) state_.stopRequested = true;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace zvc
