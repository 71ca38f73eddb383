#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "cli/command.h"
#include "cli/period_options.h"
#include "core/archives/chrom_archives.h"

namespace zvc::cli {

// The table of a saved chromatograph file (.mch, .hch, .dch); a file of another kind is refused
// as "not a file with" `notOneOf`.
std::optional<ChromTable> openChromTable(CommandContext& context, const std::filesystem::path& file,
                                         std::string_view notOneOf);

// show of a saved chromatograph file (.mch, .hch, .dch): the caption, the two heading rows and
// one line per record, cells separated by TAB, exactly the grid's texts.
int showChromFile(CommandContext& context, const std::filesystem::path& file);

// export FILE --xlsx OUT.xlsx: a saved chromatograph file to the sheet its table window writes.
class ExportCommand : public Command {
 public:
  CommandHelp help() const override;
  void declare(OptionDeclarations& options) const override;
  void accept(const GivenArguments& given) override;
  int run(CommandContext& context) override;
  const std::string& file() const { return file_; }
  const std::string& xlsxFile() const { return xlsxFile_; }

 private:
  std::string file_;
  std::string xlsxFile_;
};

}  // namespace zvc::cli

namespace zvc::cli {

// meas, hour and day: a chromatograph archive of one run read for a period, then saved in the
// program's file or printed as show prints a saved one.
class ChromArchiveCommand : public Command {
 public:
  explicit ChromArchiveCommand(ChromArchive archive) : archive_(archive) {}
  CommandHelp help() const override;
  void declare(OptionDeclarations& options) const override;
  void accept(const GivenArguments& given) override;
  int run(CommandContext& context) override;
  const PeriodRequest& request() const { return request_; }

 private:
  ChromArchive archive_;
  PeriodRequest request_;
};

}  // namespace zvc::cli
