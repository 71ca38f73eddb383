#pragma once

#include <QObject>

namespace zvc {

struct ConnectionState;

// Watches every key press of the application for Escape: during an archive read it asks the
// reader to stop, and it remembers the press for the modem waits. The key still reaches its
// widget.
class EscapeHook : public QObject {
  Q_OBJECT

 public:
  explicit EscapeHook(ConnectionState& state, QObject* parent = nullptr);

  // Escape pressed since the last call (or since forgetEscape).
  bool takeEscape();
  // Presses from before a wait must not end it.
  void forgetEscape() { escapeSeen_ = false; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  ConnectionState& state_;
  bool escapeSeen_ = false;
};

}  // namespace zvc
