#pragma once

#include <string>

#include "cli/command.h"

namespace zvc::cli {

// A saved file as its view window shows it.
class ShowCommand : public Command {
 public:
  CommandHelp help() const override;
  void declare(OptionDeclarations& options) const override;
  void accept(const GivenArguments& given) override;
  int run(CommandContext& context) override;
  const std::string& file() const { return file_; }

 private:
  std::string file_;
};

}  // namespace zvc::cli
