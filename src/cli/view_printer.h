#pragma once

#include "cli/cli_output.h"
#include "core/archives/message_view.h"

namespace zvc::cli {

// The view as its window shows it: the caption, then one line per grid row with the texts of
// columns 1..7 separated by TAB. A TAB or line break inside a text would split the row, so it
// is printed as a blank.
void printView(const MessageViewRows& view, TextOutput& out);

}  // namespace zvc::cli
