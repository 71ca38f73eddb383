#pragma once

#include <QObject>
#include <QTimer>
#include <chrono>
#include <functional>

namespace zvc {

// The timer of a live view. A poll runs on the user-interface thread from the timer and blocks it
// for its exchanges (the engine keeps the message loop alive meanwhile), so the next poll is
// armed only once the previous one has returned: polls never overlap, however long one takes.
// Pending messages run before each poll, so a click on the view's buttons is seen first.
class ViewPoller : public QObject {
  Q_OBJECT

 public:
  using Poll = std::function<void()>;
  using Action = std::function<void()>;

  ViewPoller(std::chrono::milliseconds interval, Poll poll, QObject* parent = nullptr);

  // On: a poll at once, then one an interval after each ended. Off: no further poll.
  void setPolling(bool on);
  bool polling() const { return polling_; }
  // True while a poll's exchanges run.
  bool inPoll() const { return inPoll_; }
  // Closing the view: nothing more is polled or run, even when a poll is still in progress.
  void stop();
  // A button's exchanges: never inside a poll (then right after it), with polling held off for
  // their duration and resumed afterwards if it was on and the view still stands.
  void runBetweenPolls(Action action);

 signals:
  void pollingChanged(bool on);

 private:
  void timeout();
  void runAction(const Action& action);

  std::chrono::milliseconds interval_;
  Poll poll_;
  QTimer timer_;
  Action pending_;
  bool polling_ = false;
  bool inPoll_ = false;
  bool stopped_ = false;
};

}  // namespace zvc
