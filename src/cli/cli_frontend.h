#pragma once

#include <string>
#include <string_view>

#include "cli/cli_output.h"
#include "core/ui/frontend.h"

namespace zvc {
struct ConnectionState;
}

namespace zvc::cli {

// The program's dialogs for a run without a person: every message goes to stderr as
// "kind N: line 1 / line 2" (an empty second line is left out with its " / "); questions are
// answered "Нет", or "Да" with --yes; progress and the wait cursor show nothing. Ctrl-C acts as
// Escape does in the window: it ends a modem wait, and a running archive reading after the
// answer in progress.
class CliFrontend : public Frontend {
 public:
  // A failing exchange asks whether to repeat it; under --yes it is repeated this often at most,
  // so a controller that never answers cannot hold the tool forever.
  static constexpr int kMaxRepeats = 3;

  CliFrontend(TextOutput& errors, bool answerYes) : errors_(errors), answerYes_(answerYes) {}

  static std::string messageLine(int kind, std::string_view line1, std::string_view line2);

  bool showMessage(int kind, std::string_view line1, std::string_view line2) override;
  void setStatus(int panel, std::string_view text) override;
  // The outcome panel keeps what it shows when the GUI would start its 3-second timer.
  void startMessageTimer() override;
  void progressBegin(int, int) override {}
  void progressSet(int) override {}
  void progressEnd() override {}
  void processEvents() override;
  // Once per Ctrl-C, as one press of Escape.
  bool takeEscape() override;
  void setBusy(bool) override {}

  // An exchange failed since the last clear; failureLine is the engine's error line that the
  // outcome panel then showed, empty when the exchange itself went through (an answer that does
  // not match its request).
  bool exchangeFailed() const { return exchangeFailed_; }
  const std::string& failureLine() const { return failureLine_; }
  // The connection whose archive readings Ctrl-C stops.
  void watch(ConnectionState* connection) { connection_ = connection; }
  void clearFailure() {
    exchangeFailed_ = false;
    failureLine_.clear();
  }

 private:
  void holdOutcome();

  TextOutput& errors_;
  bool answerYes_;
  int repeatsLeft_ = kMaxRepeats;
  std::string outcome_;
  bool exchangeFailed_ = false;
  std::string failureLine_;
  ConnectionState* connection_ = nullptr;
  bool escapeTaken_ = false;
};

}  // namespace zvc::cli
