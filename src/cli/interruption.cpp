#include "cli/interruption.h"

#include <csignal>

namespace zvc::cli {
namespace {

volatile std::sig_atomic_t interruptedFlag = 0;

extern "C" void noteInterruption(int) {
  interruptedFlag = 1;
}

}  // namespace

void catchInterruption() {
  struct sigaction action {};
  action.sa_handler = noteInterruption;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

bool interrupted() {
  return interruptedFlag != 0;
}

}  // namespace zvc::cli
