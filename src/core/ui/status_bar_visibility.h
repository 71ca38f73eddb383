#pragma once

namespace zvc {

// Status bars 2 (the chosen subscriber) and 3 (dialling progress) of the main window: shown only
// while a telephone or Ethernet link is chosen.
class StatusBarVisibility {
 public:
  virtual ~StatusBarVisibility() = default;
  virtual void setSubscriberBarsVisible(bool visible) = 0;
};

}  // namespace zvc
