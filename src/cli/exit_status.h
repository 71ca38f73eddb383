#pragma once

namespace zvc::cli {

// What a script learns from zvc-cli's exit status.
enum ExitStatus : int {
  kExitSuccess = 0,
  kExitLinkFailed = 1,  // the link or the controller failed
  kExitBadInput = 2,    // bad arguments or an unusable file
  kExitNotServed = 3,   // a controller the program does not serve
};

}  // namespace zvc::cli
