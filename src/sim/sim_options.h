#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/common/calendar.h"
#include "sim/sim_faults.h"
#include "sim/sim_modem.h"

namespace zvc::sim {

struct SimOptions {
  std::optional<int> tcpPort;
  bool pty = false;
  std::vector<std::uint8_t> addresses;  // one controller each; {1} when none given
  std::optional<DateTime6> startTime;   // the computer's clock when not given
  bool cp866Names = false;
  std::optional<int> softwareVersion;  // table 0 field 3; 15 (14 with the version14 fault)
  int lineRate = 0;                    // bit/s; 0: no line-time emulation, controllers at 9600
  std::uint32_t seed = 1;
  std::string logPath;
  std::string modemLogPath;  // the commands the modem executes
  FaultPlan faults;
  std::vector<TableSetting> settings;  // --set, in the order given
  std::optional<ModemSetup> modem;     // a modem in front of the pseudo-terminal
  bool help = false;
  bool version = false;  // the program's own
};

// Reads the command line; false with a message in error on anything it cannot use.
bool parseOptions(int argc, const char* const* argv, SimOptions& options, std::string& error);

// What --help prints.
std::string helpText();

}  // namespace zvc::sim
