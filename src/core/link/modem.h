#pragma once

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

#include "core/link/serial_port.h"

namespace zvc {

class Frontend;

// Outcome of a modem dialogue; modemResultText gives the text shown to the user.
enum ModemResult : int {
  kModemConnected = 0,
  kModemNoDialTone = 1,
  kModemBusy = 2,
  kModemNoCarrier = 3,
  kModemError = 4,
  kModemNoAnswer = 5,
  kModemTimeLimit = 6,
  kModemAbsent = 7,
  kModemNotConnected = 8,
  kModemReplyTimeout = 9,
  kModemCancelled = 10,
  kModemGsmNotReady = 11,
};

const char* modemResultText(int code);

// The modem's waits. The defaults are the ones the modems need; tests shorten them.
struct ModemTimings {
  std::chrono::milliseconds replyWait{5000};         // replies while resetting and to AT+CPAS
  std::chrono::milliseconds escapeGuard{1200};       // silence before "+++" and after it
  std::chrono::milliseconds settleAfterReset{2000};  // before the set-up commands
  std::chrono::milliseconds commandPause{200};       // after an accepted command and CONNECT
  std::chrono::milliseconds hangUpGuard{1000};       // silence before "+++" when hanging up
  std::chrono::milliseconds hangUpReplyWait{2000};   // for the replies to "+++" and ATH
};

// The modem on the engine's open serial port; this code never opens or closes the port.
// The frontend lets the user interface run during every wait, reports Escape and, where
// progress is asked for, shows the dialogue in status bar 3.
struct ModemLine {
  PortHandle port = kNoPort;
  Frontend& frontend;
  ModemTimings timings{};
};

// True when fragment occurs in text; false for an empty text or a fragment longer than it.
bool ContainsText(std::string_view text, std::string_view fragment);
// The number without spaces, "-", "(" and ")".
std::string CleanPhoneNumber(std::string_view phone);
// The AT commands of a "^"-separated command text, each ending in a carriage return. A command
// starts at the letters AT in either case; text before it up to the "^" is ignored.
std::vector<std::string> splitModemCommands(std::string_view commandText);

// Sends command as it is and waits up to timeout for the reply line; the echo and whatever
// else comes before the first line end is discarded. Codes 0..10; on Escape the reply is
// "Escape...".
int ModemCommand(const ModemLine& line, std::string_view command, std::string& reply,
                 std::chrono::milliseconds timeout, bool progress);
// Brings the modem into command mode with echo off and verbose result codes.
int ModemReset(const ModemLine& line, bool progress);
// AT+CPAS answered "+CPAS: 0" and "OK": the GSM modem is ready to call.
bool CheckGsmReady(const ModemLine& line, bool progress);
// Resets the modem, sends the set-up commands and dials, up to `attempts` times; 0 when the
// connection is up and the line passes the controller's frames.
int DialModem(const ModemLine& line, std::string_view phone, std::string_view commandText,
              bool progress, int attempts, int connectWaitS);
// Back to command mode and on-hook; the replies are not examined.
void HangUpModem(const ModemLine& line);

}  // namespace zvc
