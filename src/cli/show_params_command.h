#pragma once

#include <vector>

#include "cli/command.h"
#include "core/tables/parameter_section.h"

namespace zvc::cli {

// One parameter dialog of the controller as "label<TAB>value" lines, the labels on one line.
class ShowParamsCommand : public Command {
 public:
  int run(CommandContext& context) override;
};

void printParameterLines(const std::vector<ParameterLine>& lines, TextOutput& out);

}  // namespace zvc::cli
