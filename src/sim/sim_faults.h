#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/sim_archives.h"
#include "sim/sim_controller.h"
#include "sim/sim_frame.h"

namespace zvc::sim {

// How one answer goes wrong. Several faults may meet on one request.
struct AnswerFaults {
  bool silent = false;                    // no answer at all; the request is not executed
  int delayMs = 0;                        // the answer leaves this much later
  int cutAfter = -1;                      // only the first n frame bytes leave (-1: all)
  int strayBytes = 0;                     // noise before the answer
  bool badChecksum = false;               // last checksum byte wrong
  bool swappedChecksum = false;           // checksum bytes in the wrong order
  std::optional<std::uint8_t> errorCode;  // refuse with this controller error code
  std::uint8_t errorTable = 0;            // payload byte 2 of that refusal
  bool wrongRange = false;                // the echoed table range names another first field
  bool twice = false;                     // the answer leaves twice, one copy after the other
  bool late = false;  // held back until the next request arrives, then sent ahead of its answer
};

// Faults that hold for the whole run.
struct RunFaults {
  bool version14 = false;
  int destroyedTable = 0;
  ArchiveFaults archives;
};

// Faults from the command line and scenario files, one per line:
//   WHEN KIND [ARGS]   WHEN = request number (from 1), FIRST-LAST, or "*" for all
//   KIND [ARGS]        whole-run faults
// Request kinds: silent, delay MS, cut N, stray N, badcrc, swapcrc, error CODE [TABLE], range,
// twice, late.
// Whole-run kinds: version14, destroyed TABLE, archive-error-flag, records-outside-period,
// hourly-gap, corrupt-records, long-series N, unmeasured-day, moisture-gap, moisture-lag,
// early-answer once|every.
class FaultPlan {
 public:
  // Adds one line; blank lines and "#" comments are accepted and ignored.
  // On a malformed line returns false with a message in error.
  bool addLine(std::string_view line, std::string& error);
  bool loadScenario(const std::string& path, std::string& error);

  AnswerFaults forRequest(int number) const;
  const RunFaults& run() const { return run_; }

 private:
  struct Rule {
    int first, last;  // request numbers, inclusive
    AnswerFaults faults;
  };

  bool addRunFault(const std::vector<std::string>& words, std::string& error);

  std::vector<Rule> rules_;
  RunFaults run_;
};

// Applies the frame-level faults to an answer frame; returns the bytes for the line,
// preamble included.
Bytes damageAnswer(Bytes frame, const AnswerFaults& faults, std::uint8_t preambleCount);
// The wrong-range fault: a table read or write answer echoes another first field.
void misechoRange(Reply& reply, std::uint8_t requestFunction);

}  // namespace zvc::sim
