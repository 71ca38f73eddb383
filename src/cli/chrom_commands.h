#pragma once

#include <optional>
#include <string_view>

#include "cli/command.h"
#include "core/archives/chrom_archives.h"

namespace zvc::cli {

// The table of the saved chromatograph file of the command line (.mch, .hch, .dch); a file of
// another kind is refused as "not a file with" `notOneOf`.
std::optional<ChromTable> openChromTable(CommandContext& context, std::string_view notOneOf);

// show of a saved chromatograph file (.mch, .hch, .dch): the caption, the two heading rows and
// one line per record, cells separated by TAB, exactly the grid's texts.
int showChromFile(CommandContext& context);

// export FILE --xlsx OUT.xlsx: a saved chromatograph file to the sheet its table window writes.
class ExportCommand : public Command {
 public:
  int run(CommandContext& context) override;
};

}  // namespace zvc::cli

namespace zvc::cli {

// meas, hour and day: a chromatograph archive of one run read for a period, then saved in the
// program's file or printed as show prints a saved one.
class ChromArchiveCommand : public Command {
 public:
  explicit ChromArchiveCommand(ChromArchive archive) : archive_(archive) {}
  int run(CommandContext& context) override;

 private:
  ChromArchive archive_;
};

}  // namespace zvc::cli
