#include "gui/tables/view_poller.h"

#include <QCoreApplication>
#include <utility>

namespace zvc {

ViewPoller::ViewPoller(std::chrono::milliseconds interval, Poll poll, QObject* parent)
    : QObject(parent), interval_(interval), poll_(std::move(poll)) {
  timer_.setSingleShot(true);
  connect(&timer_, &QTimer::timeout, this, &ViewPoller::timeout);
}

void ViewPoller::setPolling(bool on) {
  if (stopped_ || on == polling_) return;
  polling_ = on;
  timer_.stop();
  if (on && !inPoll_) timer_.start(0);
  emit pollingChanged(on);
}

void ViewPoller::stop() {
  setPolling(false);
  stopped_ = true;
  pending_ = nullptr;
}

void ViewPoller::runBetweenPolls(Action action) {
  if (stopped_) return;
  if (inPoll_) {
    pending_ = std::move(action);
    return;
  }
  runAction(action);
}

void ViewPoller::runAction(const Action& action) {
  const bool wasPolling = polling_;
  setPolling(false);
  action();
  if (wasPolling) setPolling(true);
}

void ViewPoller::timeout() {
  QCoreApplication::processEvents();
  if (!polling_ || inPoll_) return;
  inPoll_ = true;
  poll_();
  inPoll_ = false;
  if (pending_ && !stopped_) {
    const Action action = std::exchange(pending_, nullptr);
    runAction(action);
  }
  if (polling_ && !timer_.isActive()) timer_.start(interval_);
}

}  // namespace zvc
