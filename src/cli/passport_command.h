#pragma once

#include <optional>
#include <string>

#include "cli/command.h"

namespace zvc::cli {

// passport day|month: the run (0 or 1), the day or month, the object and perhaps the file.
struct PassportRequest {
  bool monthly = false;
  int run = 0;
  int year = 0;
  int month = 0;
  int day = 1;  // 1 for a month
  std::string object;
  std::optional<std::string> outFile;
  bool operator==(const PassportRequest&) const = default;
};

// passport day|month: the daily or monthly gas-quality passport of a run, read from the
// controller with the checks of zvc and written as its spreadsheet.
class PassportCommand : public Command {
 public:
  CommandHelp help() const override;
  void declare(OptionDeclarations& options) const override;
  void accept(const GivenArguments& given) override;
  int run(CommandContext& context) override;
  const PassportRequest& request() const { return request_; }

 private:
  PassportRequest request_;
};

}  // namespace zvc::cli
