#include "sim/sim_modem.h"

#include <algorithm>
#include <cctype>

namespace zvc::sim {
namespace {

constexpr std::size_t kMaxCommandLine = 255;

void put(Bytes& to, std::string_view text) {
  to.insert(to.end(), text.begin(), text.end());
}

void result(Bytes& to, std::string_view text) {
  put(to, "\r\n");
  put(to, text);
  put(to, "\r\n");
}

std::string upperCased(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return text;
}

}  // namespace

std::optional<DialOutcome> dialOutcomeNamed(std::string_view name) {
  static constexpr struct {
    std::string_view name;
    DialOutcome outcome;
  } kNames[] = {{"BUSY", DialOutcome::kBusy},
                {"NO_CARRIER", DialOutcome::kNoCarrier},
                {"NO_DIALTONE", DialOutcome::kNoDialTone},
                {"NO_ANSWER", DialOutcome::kNoAnswer},
                {"ERROR", DialOutcome::kError},
                {"SILENT", DialOutcome::kSilent}};
  for (const auto& entry : kNames) {
    if (entry.name == name) return entry.outcome;
  }
  return std::nullopt;
}

SimModem::Output SimModem::receive(std::span<const std::uint8_t> bytes, Clock::time_point now) {
  Output out;
  for (const std::uint8_t byte : bytes) {
    if (dataMode_) {
      receiveDataByte(byte, now, out);
    } else {
      receiveCommandByte(byte, out);
    }
    lastByte_ = now;
  }
  return out;
}

SimModem::Output SimModem::tick(Clock::time_point now) {
  Output out;
  if (heldPluses_ == 3 && now - lastByte_ >= setup_.guardTime) {
    heldPluses_ = 0;
    dataMode_ = false;
    result(out.toProgram, "OK");
  }
  return out;
}

std::optional<SimModem::Clock::time_point> SimModem::nextTick() const {
  if (heldPluses_ == 3) return lastByte_ + setup_.guardTime;
  return std::nullopt;
}

void SimModem::receiveCommandByte(std::uint8_t byte, Output& out) {
  if (byte == '\0' || byte == '\n') return;  // AT+CPAS comes with a zero byte after it
  if (echo_) out.toProgram.push_back(byte);
  if (byte != '\r') {
    if (line_.size() < kMaxCommandLine) line_.push_back(static_cast<char>(byte));
    return;
  }
  const std::string command = upperCased(line_);
  line_.clear();
  // Anything that does not start with AT is line noise to a modem.
  const std::size_t at = command.find("AT");
  if (at != std::string::npos) execute(command.substr(at), out);
}

// The escape sequence is "+++" with guardTime of silence before the first "+" and after the
// last; the "+" bytes are held back until it is clear whether they are data.
void SimModem::receiveDataByte(std::uint8_t byte, Clock::time_point now, Output& out) {
  const bool quietBefore = now - lastByte_ >= setup_.guardTime;
  const bool escapeGoesOn =
      !setup_.deaf && byte == '+' && heldPluses_ < 3 && (heldPluses_ > 0 || quietBefore);
  if (escapeGoesOn) {
    ++heldPluses_;
    return;
  }
  releaseHeldPluses(out);
  out.toController.push_back(byte);
}

void SimModem::releaseHeldPluses(Output& out) {
  out.toController.insert(out.toController.end(), heldPluses_, '+');
  heldPluses_ = 0;
}

void SimModem::execute(const std::string& command, Output& out) {
  if (log_) log_(command);
  if (command == "ATE0") {
    echo_ = false;
  } else if (command == "ATE1" || command == "ATE") {
    echo_ = true;
  } else if (command == "AT+CPAS") {
    if (setup_.cpasError) {
      result(out.toProgram, "ERROR");
      return;
    }
    result(out.toProgram, "+CPAS: 0");
  } else if (command.starts_with("ATD")) {
    dial(out);
    return;
  } else if (command.starts_with("ATH")) {
    callUp_ = false;
  }
  result(out.toProgram, "OK");
}

void SimModem::dial(Output& out) {
  switch (setup_.dial) {
    case DialOutcome::kConnect:
      callUp_ = true;
      dataMode_ = true;
      result(out.toProgram, "CONNECT 9600");
      break;
    case DialOutcome::kBusy:
      result(out.toProgram, "BUSY");
      break;
    case DialOutcome::kNoCarrier:
      result(out.toProgram, "NO CARRIER");
      break;
    case DialOutcome::kNoDialTone:
      result(out.toProgram, "NO DIALTONE");
      break;
    case DialOutcome::kNoAnswer:
      result(out.toProgram, "NO ANSWER");
      break;
    case DialOutcome::kError:
      result(out.toProgram, "ERROR");
      break;
    case DialOutcome::kSilent:
      break;
  }
}

}  // namespace zvc::sim
