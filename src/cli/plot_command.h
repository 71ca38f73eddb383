#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/command.h"

namespace zvc::cli {

// plot: which parameters of the file, into which PNG, how large, with the setpoints of which
// configuration file.
struct PlotRequest {
  std::string file;
  std::vector<std::string> parameters;
  std::string pngFile;
  int width = 1200;
  int height = 700;
  std::optional<std::string> configFile;
  bool operator==(const PlotRequest&) const = default;
};

// plot FILE --param NAME[,NAME…] --png OUT.png [--size WxH] [--config FILE.cnf]: the chart window's
// chart of a saved chromatograph file, drawn offscreen into a PNG.
class PlotCommand : public Command {
 public:
  CommandHelp help() const override;
  void declare(OptionDeclarations& options) const override;
  void accept(const GivenArguments& given) override;
  int run(CommandContext& context) override;
  const PlotRequest& request() const { return request_; }

 private:
  PlotRequest request_;
};

}  // namespace zvc::cli
