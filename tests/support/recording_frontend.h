#pragma once

#include <array>
#include <deque>
#include <string>
#include <vector>

#include "core/ui/frontend.h"

namespace zvc::test {

// Records everything a core operation shows and answers questions from a
// queue (an empty queue answers "Нет").
class RecordingFrontend : public Frontend {
 public:
  struct Message {
    int kind;
    std::string line1;
    std::string line2;
  };

  std::vector<Message> messages;
  std::deque<bool> answers;
  std::array<std::string, 6> status;       // status bar 1 panels 0..3, status bars 2 and 3
  std::vector<std::string> statusHistory;  // "panel:text", in order
  int messageTimerStarts = 0;
  std::vector<int> progressModes;
  std::vector<int> progressPositions;
  int progressMaximum = 0;
  bool progressShown = false;
  int eventPasses = 0;
  int escapesPending = 0;
  bool busy = false;

  bool showMessage(int kind, std::string_view line1, std::string_view line2) override {
    messages.push_back({kind, std::string(line1), std::string(line2)});
    if (answers.empty()) return false;
    bool answer = answers.front();
    answers.pop_front();
    return answer;
  }
  void setStatus(int panel, std::string_view text) override {
    if (panel >= 0 && panel < static_cast<int>(status.size())) status[panel] = std::string(text);
    statusHistory.push_back(std::to_string(panel) + ":" + std::string(text));
  }
  void startMessageTimer() override { ++messageTimerStarts; }
  void progressBegin(int mode, int maximum) override {
    progressModes.push_back(mode);
    progressMaximum = maximum;
    progressShown = true;
  }
  void progressSet(int position) override { progressPositions.push_back(position); }
  void progressEnd() override { progressShown = false; }
  void processEvents() override { ++eventPasses; }
  bool takeEscape() override {
    if (escapesPending == 0) return false;
    --escapesPending;
    return true;
  }
  void setBusy(bool b) override { busy = b; }
};

}  // namespace zvc::test
