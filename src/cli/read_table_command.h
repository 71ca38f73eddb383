#pragma once

#include <optional>

#include "cli/command.h"

namespace zvc::cli {

// read-table T [FIRST [COUNT]].
struct TableRequest {
  int table = 0;
  std::optional<int> firstField;
  std::optional<int> fieldCount;
  bool operator==(const TableRequest&) const = default;
};

// A range of fields of one table, each field as hex bytes.
class ReadTableCommand : public Command {
 public:
  CommandHelp help() const override;
  void declare(OptionDeclarations& options) const override;
  void accept(const GivenArguments& given) override;
  int run(CommandContext& context) override;
  const TableRequest& request() const { return request_; }

 private:
  TableRequest request_;
};

}  // namespace zvc::cli
