#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/command.h"

namespace zvc::cli {

// collect: which address books, which subscribers and archives, where to, from when.
enum class SubscriberLists { kPhone, kEthernet, kBoth };
struct CollectRequest {
  SubscriberLists lists = SubscriberLists::kBoth;
  std::vector<std::string> only;  // names; all subscribers when empty
  std::string outFolder;
  std::vector<std::string> kinds;         // the kind names; every kind when empty
  std::optional<DateTimeArgument> since;  // a first collection starts here; 7 days back if not
  int jobs = 1;
  bool operator==(const CollectRequest&) const = default;
};

// The archive kinds collect knows, in the order it reads them.
inline constexpr std::string_view kCollectKinds[] = {
    "diag",       "interv",     "meas",      "hour",  "day",
    "moist-meas", "moist-hour", "moist-day", "calib", "verif"};

// collect: every subscriber of the address books, each archive from where its last collection
// ended up to now, saved in the program's own files under OUT/<subscriber>/<kind>/; a summary
// table on stdout.
class CollectCommand : public Command {
 public:
  CommandHelp help() const override;
  void declare(OptionDeclarations& options) const override;
  void accept(const GivenArguments& given) override;
  int run(CommandContext& context) override;
  const CollectRequest& request() const { return request_; }

 private:
  CollectRequest request_;
};

}  // namespace zvc::cli
