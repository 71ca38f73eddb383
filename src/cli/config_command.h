#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/command.h"

namespace zvc::cli {

// config: read the controller's configuration, show a file, make a new one, compare two.
enum class ConfigAction { kRead, kShow, kNew, kDiff };
struct ConfigRequest {
  ConfigAction action = ConfigAction::kShow;
  std::vector<std::string> files;       // show: one; diff: one (with --controller) or two
  std::optional<std::string> saveFile;  // read, new
  bool againstController = false;       // diff FILE --controller
  bool operator==(const ConfigRequest&) const = default;
};

// Configuration files: read the controller's into a file, make a new one, show one, compare two
// or one with the controller. Writing a configuration into a controller is left to zvc.
class ConfigCommand : public Command {
 public:
  CommandHelp help() const override;
  void declare(OptionDeclarations& options) const override;
  void accept(const GivenArguments& given) override;
  int run(CommandContext& context) override;
  const ConfigRequest& request() const { return request_; }

 private:
  ConfigRequest request_;
};

}  // namespace zvc::cli
