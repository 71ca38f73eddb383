#pragma once

#include "cli/command.h"

namespace zvc::cli {

// show of a saved chromatograph file (.mch, .hch, .dch): the caption, the two heading rows and
// one line per record, cells separated by TAB, exactly the grid's texts.
int showChromFile(CommandContext& context);

// export FILE --xlsx OUT.xlsx: a saved chromatograph file to the sheet its table window writes.
class ExportCommand : public Command {
 public:
  int run(CommandContext& context) override;
};

}  // namespace zvc::cli
