#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>

#include "sim/sim_frame.h"

namespace zvc::sim {

// How the simulated modem answers a dial command.
enum class DialOutcome { kConnect, kBusy, kNoCarrier, kNoDialTone, kNoAnswer, kError, kSilent };

struct ModemSetup {
  DialOutcome dial = DialOutcome::kConnect;
  bool cpasError = false;  // a landline modem: AT+CPAS is answered ERROR
  bool deaf = false;       // "+++" never leaves data mode
  std::chrono::milliseconds guardTime{1000};
};

// "BUSY", "NO_CARRIER", "NO_DIALTONE", "NO_ANSWER", "ERROR" or "SILENT".
std::optional<DialOutcome> dialOutcomeNamed(std::string_view name);

// A Hayes/GSM modem in front of the controller, as a state machine: bytes from the program in,
// bytes back to the program and bytes for the controller out. Starts on-hook in command mode
// with echo on. Result codes are verbose ("\r\nOK\r\n"). In data mode everything goes to the
// controller, except "+++" with a guard time of silence before and after it, which returns to
// command mode with the call still up.
class SimModem {
 public:
  using Clock = std::chrono::steady_clock;

  struct Output {
    Bytes toProgram;
    Bytes toController;
  };

  explicit SimModem(ModemSetup setup) : setup_(setup) {}

  // Each command the modem executes ("ATD123"), one call each.
  void logCommandsTo(std::function<void(const std::string&)> log) { log_ = std::move(log); }

  Output receive(std::span<const std::uint8_t> bytes, Clock::time_point now);
  // Time passing: ends an escape sequence whose closing guard time is over.
  Output tick(Clock::time_point now);
  // When tick has something to do, if ever.
  std::optional<Clock::time_point> nextTick() const;

  bool inDataMode() const { return dataMode_; }
  bool callUp() const { return callUp_; }

 private:
  void receiveCommandByte(std::uint8_t byte, Output& out);
  void receiveDataByte(std::uint8_t byte, Clock::time_point now, Output& out);
  void execute(const std::string& command, Output& out);
  void dial(Output& out);
  void releaseHeldPluses(Output& out);

  ModemSetup setup_;
  std::function<void(const std::string&)> log_;
  bool echo_ = true;
  bool dataMode_ = false;
  bool callUp_ = false;
  std::string line_;
  Clock::time_point lastByte_{};  // silence on the line counts from here
  int heldPluses_ = 0;            // "+" bytes that may be the escape sequence
};

}  // namespace zvc::sim
