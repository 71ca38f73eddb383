#pragma once

namespace zvc::cli {

// Ctrl-C (SIGINT) and SIGTERM only set a flag: the modem waits and the archive readers look at it
// through the frontend, so the command ends its exchange, hangs up and closes the link itself.
void catchInterruption();
bool interrupted();

}  // namespace zvc::cli
