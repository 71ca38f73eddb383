#pragma once

#include <string>
#include <vector>

#include "cli/command.h"
#include "core/tables/parameter_section.h"

namespace zvc::cli {

// One parameter dialog of the controller as "label<TAB>value" lines, the labels on one line.
class ShowParamsCommand : public Command {
 public:
  CommandHelp help() const override;
  void declare(OptionDeclarations& options) const override;
  void accept(const GivenArguments& given) override;
  int run(CommandContext& context) override;
  const std::string& section() const { return section_; }
  int constantsRun() const { return run_; }

 private:
  std::string section_;
  int run_ = 0;  // constants: 1 or 2
};

void printParameterLines(const std::vector<ParameterLine>& lines, TextOutput& out);

}  // namespace zvc::cli
