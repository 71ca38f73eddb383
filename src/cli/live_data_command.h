#pragma once

#include <optional>

#include "cli/command.h"

namespace zvc::cli {

// momentary and watch: which live view; run 0 or 1 for the chromatograph.
enum class LiveView { kRun, kMoisture, kState };
struct LiveRequest {
  LiveView view = LiveView::kState;
  int run = 0;
  std::optional<int> intervalS;  // watch; the view's own period when not given
  std::optional<int> count;      // watch; until Ctrl-C when not given
  bool operator==(const LiveRequest&) const = default;
};

// state and momentary: one poll of a live view, printed as its rows.
class LiveDataCommand : public Command {
 public:
  // state, or else momentary.
  explicit LiveDataCommand(bool state) : state_(state) {}
  CommandHelp help() const override;
  void declare(OptionDeclarations& options) const override;
  void accept(const GivenArguments& given) override;
  int run(CommandContext& context) override;
  const LiveRequest& request() const { return request_; }

 private:
  bool state_;
  LiveRequest request_;
};

// watch: one line per poll until the count is reached or Ctrl-C.
class WatchCommand : public Command {
 public:
  CommandHelp help() const override;
  void declare(OptionDeclarations& options) const override;
  void accept(const GivenArguments& given) override;
  int run(CommandContext& context) override;
  const LiveRequest& request() const { return request_; }

 private:
  LiveRequest request_;
};

}  // namespace zvc::cli
