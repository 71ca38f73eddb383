#pragma once

#include <string_view>

namespace zvc {

// Status bars 2 (the selected subscriber) and 3 (dialling progress) have one panel each; they
// take the panel numbers after status bar 1's panels 0..3.
inline constexpr int kStatusBar2 = 4;
inline constexpr int kStatusBar3 = 5;

// How core operations talk to a person. The GUI shows real dialogs, the
// command-line tool prints and answers from its options, tests record.
class Frontend {
 public:
  virtual ~Frontend() = default;

  // Message dialog of the given kind (1..7) with two lines; true only when
  // the person answered "Да" (kinds 3 and 7 ask a question).
  virtual bool showMessage(int kind, std::string_view line1, std::string_view line2) = 0;
  // Status bar 1, panels 0..3, or kStatusBar2 / kStatusBar3.
  virtual void setStatus(int panel, std::string_view text) = 0;
  // Clears status panel 2 after 3 s.
  virtual void startMessageTimer() = 0;
  // Progress window, modes 1..4.
  virtual void progressBegin(int mode, int maximum) = 0;
  virtual void progressSet(int position) = 0;
  virtual void progressEnd() = 0;
  // Lets the user interface run while the engine waits.
  virtual void processEvents() = 0;
  // Escape pressed since the last call (modem waits).
  virtual bool takeEscape() = 0;
  // Wait cursor.
  virtual void setBusy(bool busy) = 0;
};

// A frontend that shows nothing and answers "Нет"; for callers that run
// without a person (the simulator's helpers, benchmarks).
class SilentFrontend : public Frontend {
 public:
  bool showMessage(int, std::string_view, std::string_view) override { return false; }
  void setStatus(int, std::string_view) override {}
  void startMessageTimer() override {}
  void progressBegin(int, int) override {}
  void progressSet(int) override {}
  void progressEnd() override {}
  void processEvents() override {}
  bool takeEscape() override { return false; }
  void setBusy(bool) override {}
};

// The wait cursor for the life of a scope.
class BusyCursor {
 public:
  explicit BusyCursor(Frontend& frontend) : frontend_(frontend) { frontend_.setBusy(true); }
  ~BusyCursor() { frontend_.setBusy(false); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;

 private:
  Frontend& frontend_;
};

}  // namespace zvc
