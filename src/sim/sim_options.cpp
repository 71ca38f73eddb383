#include "sim/sim_options.h"

#include <algorithm>
#include <charconv>
#include <string_view>

#include "core/common/format.h"
#include "core/tables/table_catalogue.h"
#include "sim/sim_archives.h"
#include "sim/sim_tables.h"
#include "sim/sim_time.h"

namespace zvc::sim {
namespace {

std::optional<int> numberIn(std::string_view text, long long minimum, long long maximum) {
  const auto value = parseInteger(text);
  if (!value || *value < minimum || *value > maximum) return std::nullopt;
  return int(*value);
}

std::optional<std::uint8_t> hexByte(std::string_view digits) {
  unsigned value = 0;
  const auto [end, error] = std::from_chars(digits.begin(), digits.end(), value, 16);
  if (error != std::errc() || end != digits.end()) return std::nullopt;
  return std::uint8_t(value);
}

// "T.F=HEX": bytes for table T from field F on, within the table.
std::optional<TableSetting> tableSetting(std::string_view text) {
  const auto dot = text.find('.');
  const auto equals = text.find('=');
  if (dot == std::string_view::npos || equals == std::string_view::npos || dot > equals) {
    return std::nullopt;
  }
  const auto table = numberIn(text.substr(0, dot), 0, TableCatalogue::kTableCount - 1);
  if (!table || !TableCatalogue::hasFields(*table)) return std::nullopt;
  const TableDescriptor& descriptor = TableCatalogue::table(*table);
  const auto field = numberIn(text.substr(dot + 1, equals - dot - 1), 0, descriptor.fieldCount - 1);
  const std::string_view hex = text.substr(equals + 1);
  if (!field || hex.empty() || hex.size() % 2 != 0) return std::nullopt;
  TableSetting setting{*table, *field, {}};
  for (std::size_t at = 0; at < hex.size(); at += 2) {
    const auto byte = hexByte(hex.substr(at, 2));
    if (!byte) return std::nullopt;
    setting.bytes.push_back(*byte);
  }
  const std::size_t room = descriptor.size() - std::size_t(*field) * descriptor.fieldSize;
  if (setting.bytes.size() > room) return std::nullopt;
  return setting;
}

// Every --modem option puts the modem in.
ModemSetup& modemOf(SimOptions& options) {
  if (!options.modem) options.modem.emplace();
  return *options.modem;
}

// Applies one option that takes a value; false with a message in error.
bool applyValue(std::string_view name, const std::string& value, SimOptions& options,
                std::string& error) {
  if (name == "--tcp") {
    options.tcpPort = numberIn(value, 0, 65535);
    if (!options.tcpPort) error = "--tcp expects a port 0..65535";
  } else if (name == "--address") {
    const auto address = numberIn(value, 1, 254);
    if (!address) {
      error = "--address expects 1..254";
    } else if (std::find(options.addresses.begin(), options.addresses.end(), *address) !=
               options.addresses.end()) {
      error = "--address " + value + " given twice";
    } else {
      options.addresses.push_back(std::uint8_t(*address));
    }
  } else if (name == "--time") {
    options.startTime = parseDateTime(value);
    if (!options.startTime) error = "--time expects \"YYYY-MM-DD HH:MM:SS\"";
  } else if (name == "--software-version") {
    options.softwareVersion = numberIn(value, 0, 255);
    if (!options.softwareVersion) error = "--software-version expects 0..255";
  } else if (name == "--line-rate") {
    const auto rate = numberIn(value, 1, 230400);
    if (rate && baudRateCode(*rate)) {
      options.lineRate = *rate;
    } else {
      error = "--line-rate expects one of the controller's rates (300 ... 230400)";
    }
  } else if (name == "--seed") {
    const auto seed = parseInteger(value);
    if (seed && *seed >= 0 && *seed <= 0xFFFFFFFFLL) {
      options.seed = std::uint32_t(*seed);
    } else {
      error = "--seed expects 0..4294967295";
    }
  } else if (name == "--log") {
    options.logPath = value;
  } else if (name == "--modem-log") {
    modemOf(options);
    options.modemLogPath = value;
  } else if (name == "--modem-dial") {
    const auto outcome = dialOutcomeNamed(value);
    if (outcome) {
      modemOf(options).dial = *outcome;
    } else {
      error = "--modem-dial expects BUSY, NO_CARRIER, NO_DIALTONE, NO_ANSWER, ERROR or SILENT";
    }
  } else if (name == "--modem-guard") {
    const auto guard = numberIn(value, 1, 10000);
    if (guard) {
      modemOf(options).guardTime = std::chrono::milliseconds(*guard);
    } else {
      error = "--modem-guard expects 1..10000 ms";
    }
  } else if (name == "--set") {
    const auto setting = tableSetting(value);
    if (setting) {
      options.settings.push_back(*setting);
    } else {
      error = "--set expects T.F=HEX: a table, a field of it and whole bytes that fit the table";
    }
  } else if (name == "--fault") {
    options.faults.addLine(value, error);
  } else if (name == "--scenario") {
    options.faults.loadScenario(value, error);
  } else {
    error = "unknown option " + std::string(name);
  }
  return error.empty();
}

}  // namespace

bool parseOptions(int argc, const char* const* argv, SimOptions& options, std::string& error) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view name = argv[i];
    if (name == "--help" || name == "-h") {
      options.help = true;
    } else if (name == "--version") {
      options.version = true;
    } else if (name == "--pty") {
      options.pty = true;
    } else if (name == "--cp866") {
      options.cp866Names = true;
    } else if (name == "--modem") {
      modemOf(options);
    } else if (name == "--modem-cpas-error") {
      modemOf(options).cpasError = true;
    } else if (name == "--modem-deaf") {
      modemOf(options).deaf = true;
    } else if (i + 1 < argc) {
      if (!applyValue(name, argv[++i], options, error)) return false;
    } else {
      error = name.starts_with("--") ? std::string(name) + " expects a value"
                                     : "unknown argument " + std::string(name);
      return false;
    }
  }
  if (options.addresses.empty()) options.addresses.push_back(1);
  if (options.help || options.version) return true;
  if (!options.tcpPort && !options.pty) {
    error = "nothing to serve: give --tcp PORT and/or --pty";
    return false;
  }
  if (options.modem && !options.pty) {
    error = "the modem sits in front of the pseudo-terminal: give --pty";
    return false;
  }
  return true;
}

std::string helpText() {
  std::string text =
      format(R"(zvc-sim: a simulated ЖВЦ gas-quality controller (type 73, software 15).

Usage: zvc-sim [--tcp PORT] [--pty] [options]
       zvc-sim --help | --version     this text, or the program's version

Transports (at least one; both may run together):
  --tcp PORT          serve TCP on 127.0.0.1:PORT (0: a free port); prints "tcp 127.0.0.1:PORT"
  --pty               serve a pseudo-terminal; prints "pty /dev/pts/N". Clients may open and
                      close it per exchange and open it exclusively.
  Each transport prints its line on stdout as soon as it is ready. SIGTERM or SIGINT ends
  the simulator.

The controllers:
  --address A         a controller at address A (1..254); repeat for several controllers on
                      one line. Default: one controller at address 1. A request to address 255
                      is answered by the first one.
  --time "YYYY-MM-DD HH:MM:SS"
                      the controllers' clock at start (default: the computer's clock); it
                      runs on from there. Function 12 and writes of table 2 move it.
  --cp866             names in table 5 in code page 866 (table 0 field 12 = 0); default
                      Windows-1251 (field 12 = 1)
  --software-version N
                      software version N (0..255) in table 0 field 3 (default 15)
  --line-rate BAUD    emulate the line time, 10 bits per byte, at the controller's rate (table
                      3 field 1; starts at BAUD, one of 300 ... 230400): an answer starts only
                      after the request could have crossed the line and leaves byte by byte.
                      A write of table 3 changes the rate for the answers after it.
  --seed N            seed of the generated archives (default 1)
  --set T.F=HEX       put the bytes HEX (two hex digits each) into table T from field F on,
                      after the defaults, e.g. --set 32.0=0103 for a lower warning zone of
                      parameter 0 and a lower alarm zone of parameter 1 of run 1; repeatable.
                      Tables that follow the clock (2, 30, 37, 38, 42) are rewritten on each
                      read; a reset (function 25) puts them in again
  --log FILE          one line per request frame received: "F=1 00 00 00 12" (function and
                      payload in hex), flushed per line

A modem in front of the pseudo-terminal (any of these options puts it in; needs --pty):
  --modem             a GSM modem: on-hook, command mode, echo on until ATE0. Results are
                      verbose ("\r\nOK\r\n"); AT+CPAS is answered "+CPAS: 0" and "OK", ATD with
                      "CONNECT 9600", after which the line carries the controller's frames;
                      "+++" with a guard time of silence before and after it returns to command
                      mode ("OK"), ATH hangs up, any other AT command is answered "OK".
  --modem-dial RESULT ATD is answered BUSY, NO_CARRIER (as "NO CARRIER"), NO_DIALTONE,
                      NO_ANSWER, ERROR, or not at all (SILENT)
  --modem-cpas-error  AT+CPAS is answered "ERROR" (a landline modem)
  --modem-deaf        "+++" is data like any other: the modem never leaves data mode
  --modem-guard MS    the escape guard time (default 1000 ms)
  --modem-log FILE    one line per command the modem executes ("ATD123", "ATH"), flushed per
                      line

Credentials: every write (functions 2, 12, 25) must carry the password "%s" and the user
code "%s" (table 4 slot 1, level "Производитель-наладчик"), blank-padded to 12 and 4 bytes.
While table 4 is destroyed any credentials are accepted.

What the controllers hold: the 47 tables with defaults of a set-up station: 15 measured
parameters ("C6 + 47", "C3", ..., "CH4", "CO2", "C2H6", "Hs", "De", "Woebbe", "Hi"),
chromatograph "QRT Vela" (type 7) on both runs, a moisture meter, two flow computers,
9600 bit/s (or --line-rate) with 3 preamble bytes 0xFF before each answer, serial number
73150001 onwards. Tables 2, 30, 37, 38 and 42 follow the clock; 10, 11, 12 and 27
follow the archives.
Refusals: unknown function 1, wrong request length 2, bad values 4, no such table 9,
table 13 not readable 11, write of a non-configuration table 12, no such field 13, fields
beyond the table 14, correction over an hour 17, unknown user 34, zero field count 37,
destroyed table 60 (payload byte 2 = table), destroyed table not rewritten from field 0 in
ascending ranges 61. A write of table 3 field 0 is answered from the new address; function
25 answers from the old address and then resets to address 1, 9600 bit/s, defaults.

Faults:
  --fault "WHEN KIND [ARGS]"   a fault for request WHEN: its number N (requests that reach a
                               controller count from 1), a range N-M, or * for all
  --fault "KIND [ARGS]"        a fault for the whole run
  --scenario FILE              faults from a file, one per line as above; # starts a comment
  Request faults:
    silent            no answer (the request is not executed)
    delay MS          the answer leaves MS milliseconds late
    cut N             only the first N bytes of the answer frame leave
    stray N           N noise bytes before the answer
    badcrc            a wrong checksum
    swapcrc           checksum bytes swapped
    error CODE [T]    refuse with controller error CODE, payload byte 2 = T (e.g. error 60 7)
    range             table answers echo a wrong first field
    twice             the answer leaves twice, one copy right after the other
    late              the answer is held back until the next request arrives and then
                      leaves just ahead of that request's answer
  Whole-run faults:
    version14         software version 14 in table 0 field 3; its users table (4) counts as
                      destroyed in table 7, so any credentials pass until it is rewritten
    destroyed T       table T destroyed: table 0 field 0 = T, table 7 byte T = 1
    archive-error-flag, records-outside-period, hourly-gap, corrupt-records, long-series N,
    unmeasured-day, moisture-gap, moisture-lag, early-answer once|every
                      archive faults, see below

)",
             kDefaultUserPassword, kDefaultUserCode);
  return text + kArchivesHelp;
}

}  // namespace zvc::sim
