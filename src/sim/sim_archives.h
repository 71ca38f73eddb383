#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "sim/sim_archive_generator.h"

namespace zvc::sim {

// The archives section of the simulator's --help.
inline constexpr const char* kArchivesHelp =
    "Archives (the same for the same seed; each ends at the simulator's start time, and a later\n"
    "--time serves the same records and the newer ones after them):\n"
    "  diagnostic      3000 records, one about every 10 minutes (21 days), indices 1000..3999\n"
    "                  (table 10)\n"
    "  intervention    2000 records, one about every 30 minutes (42 days), indices 500..2499\n"
    "                  (table 11)\n"
    "  calibration     one a day at about 06:00, 90 days (table 12: indices 1..90)\n"
    "  verification    two a day at about 02:00 and 14:00, 180 days\n"
    "  chromatograph   a measurement every 4 minutes per run (run 2 two minutes after run 1),\n"
    "                  10 days\n"
    "  moisture meter  a measurement every 5 minutes, 10 days\n"
    "  hourly          per run and for the moisture meter, 62 days up to the last full hour\n"
    "  daily           per run and for the moisture meter, 400 gas days from 09:00 (contract\n"
    "                  hour 9) up to the last full gas day\n"
    "  table 27        dates of the oldest measurement, hourly and daily records (daily: the end\n"
    "                  of the oldest gas day, flag bit 7 set in the seconds)\n"
    "  Function 7 answers at most 11 diagnostic or 10 intervention records, error 18 outside the\n"
    "  indices; function 8 series are numbered 0, 1 ... 255, 1 ... (error 20 wrong number,\n"
    "  21 other period, 22 begin after end; the last number repeated is answered again);\n"
    "  functions 15/16 answer 2 chromatograph or 8 moisture-meter records at a time.\n"
    "Archive faults:\n"
    "  archive error     bit 7 of byte 0 set in every function-8 answer\n"
    "  outside period    a series (and every hourly or daily request) starts 2 records early\n"
    "  hourly gap        no hourly records 10, 9 and 8 hours before the newest hour\n"
    "  corrupt records   about one record in 40 has a wrong checksum\n"
    "  long series N     the first N answers of a function-8 series carry one record each\n"
    "  unmeasured day    the chromatograph lost its link for the first three hours of the gas\n"
    "                    day two days before the newest one: those hourly records and that\n"
    "                    day's daily record (both runs) carry status bit 5\n"
    "  moisture gap      the moisture meter alone lacks the hourly record 30 hours before the\n"
    "                    newest hour and the daily record 5 days before the newest day\n"
    "  moisture lag      the moisture meter's newest daily record is missing\n"
    "  early answer once|every\n"
    "                    an hourly or daily answer starts one record early, with the hour or day\n"
    "                    before the asked start: only the first answer from each hourly and daily\n"
    "                    archive (once), or every answer\n"
    "A controller without a moisture meter (--set 6.8=00) holds no moisture-meter records.\n";

// When an hourly or daily answer starts one record before the asked start.
enum class EarlyAnswer { kNever, kOnce, kEvery };

// Archive faults the simulator can play on demand.
struct ArchiveFaults {
  bool archiveErrorFlag = false;      // bit 7 of answer byte 0 in function-8 answers
  bool recordsOutsidePeriod = false;  // some answered records lie outside the asked period
  bool hourlyGap = false;             // hours missing in the hourly archives
  bool corruptRecords = false;        // some records carry a wrong checksum
  int longSeries = 0;                 // > 0: function-8 series of at least this many answers
  bool unmeasuredDay = false;         // see GeneratorFaults
  bool moistureGap = false;
  bool moistureLag = false;
  EarlyAnswer earlyAnswer = EarlyAnswer::kNever;
};

// What the simulated controller answers to one archive request.
struct ArchiveReply {
  std::uint8_t errorCode = 0;         // 0: payload is the answer; else the controller error code
  std::vector<std::uint8_t> payload;  // response payload (frame byte 4 onwards)
};

// The controller's archives, generated deterministically from a seed up to
// the simulator's start time: diagnostic, intervention, calibration,
// verification, chromatograph measurement per run, moisture meter, hourly and
// daily per run.
class SimArchives {
 public:
  // now: year-2000, month, day, hour, minute, second of the simulator's clock. Without a moisture
  // meter its archives are empty.
  SimArchives(std::uint32_t seed, const std::uint8_t (&now)[6], const ArchiveFaults& faults,
              bool moistureMeter = true);

  // Functions 7, 8, 15 and 16; payload is the request payload (frame byte 4 on).
  ArchiveReply handle(std::uint8_t function, std::span<const std::uint8_t> payload);

  // True for the tables whose content follows the archives (boundary indices,
  // archive ranges); fills the whole table image of such a table.
  bool ownsTable(int table) const;
  void fillTable(int table, std::span<std::uint8_t> image) const;

 private:
  // The function-8 series in progress.
  struct PeriodSeries {
    bool active = false;
    std::uint8_t source = 0;
    std::uint8_t kind = 0;
    std::array<std::uint8_t, 12> period{};  // begin and end as the requests carry them
    ArchiveId archive = ArchiveId::kDiagnostic;
    ArchiveTime end = 0;
    std::uint8_t lastSequence = 0;
    std::uint32_t nextSlot = 0;
    std::uint32_t answers = 0;
    // Where the last answer began, to answer a repeated request once more.
    std::uint32_t lastAnswerSlot = 0;
    std::uint32_t answersBeforeLast = 0;
  };

  ArchiveReply readByIndex(std::span<const std::uint8_t> payload) const;
  ArchiveReply readByPeriod(std::span<const std::uint8_t> payload);
  ArchiveReply startSeries(std::span<const std::uint8_t> payload);
  ArchiveReply answerSeries(std::uint8_t sequence);
  ArchiveReply readHourDay(bool daily, std::span<const std::uint8_t> payload);
  bool answersEarly(ArchiveId archive);
  void fillBounds(ArchiveId archive, std::uint32_t oldestIndex,
                  std::span<std::uint8_t> image) const;
  void fillFirstRecordDates(std::span<std::uint8_t> image) const;

  ArchiveGenerator generator_;
  ArchiveFaults faults_;
  PeriodSeries series_;
  // The hourly and daily archives that have answered early once.
  std::array<bool, kArchiveCount> answeredEarly_{};
};

}  // namespace zvc::sim
