#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace zvc::sim {

// Archive times: seconds since 1 January 2000 00:00:00, the controller's epoch.
using ArchiveTime = std::int64_t;
inline constexpr ArchiveTime kSecondsPerHour = 3600;
inline constexpr ArchiveTime kSecondsPerDay = 86400;

// Reads a date of `length` bytes (6 DateTime6, 4 DateHour4, 3 Date3; the
// missing parts count as 0); nullopt when it is not a valid date.
std::optional<ArchiveTime> readArchiveDate(const std::uint8_t* bytes, int length);
void writeDateTime6(ArchiveTime time, std::uint8_t* out);

enum class ArchiveId : std::uint8_t {
  kDiagnostic,
  kIntervention,
  kCalibration,
  kVerification,
  kChromMeasRun1,
  kChromMeasRun2,
  kMoistureMeas,
  kChromHourRun1,
  kChromHourRun2,
  kMoistureHour,
  kChromDayRun1,
  kChromDayRun2,
  kMoistureDay,
};
inline constexpr int kArchiveCount = 13;

std::size_t recordSize(ArchiveId archive);

// The gas day starts at this hour; the daily archives follow it.
inline constexpr int kContractHour = 9;
// Record indices of the message archives start here, not at 0.
inline constexpr std::uint32_t kOldestDiagnosticIndex = 1000;
inline constexpr std::uint32_t kOldestInterventionIndex = 500;

// What the generated archives get wrong on purpose.
struct GeneratorFaults {
  bool hourlyGap = false;       // three hours missing in every hourly archive
  bool corruptRecords = false;  // some records with a wrong checksum
  // The chromatograph lost its link for the first three hours of the gas day two days before the
  // newest one: those hourly records and that day's daily record carry status bit 5.
  bool unmeasuredDay = false;
  // The moisture meter alone lacks the hourly record 30 hours before the newest hour and the
  // daily record 5 days before the newest day.
  bool moistureGap = false;
  // The moisture meter's newest daily record is missing.
  bool moistureLag = false;
};

// Record k of an archive (its slot) is a pure function of the seed, the
// archive and k's place in the archive's endless schedule, so any period is
// answered without storing the archive, and a later start time gives the same
// records plus newer ones. Slots are in time order; the newest one ends at the
// start time `now`.
class ArchiveGenerator {
 public:
  // Without a moisture meter its three archives hold no record.
  ArchiveGenerator(std::uint32_t seed, ArchiveTime now, const GeneratorFaults& faults,
                   bool moistureMeter = true);

  std::uint32_t count(ArchiveId archive) const;
  // Time of the record (instants) or start of its interval (hourly, daily).
  ArchiveTime slotTime(ArchiveId archive, std::uint32_t slot) const;
  // False for the hours a controller that was switched off did not record.
  bool slotPresent(ArchiveId archive, std::uint32_t slot) const;
  // First slot whose time is at or after `time`; count() when there is none.
  std::uint32_t firstSlotFrom(ArchiveId archive, ArchiveTime time) const;
  // out.size() must be recordSize(archive).
  void buildRecord(ArchiveId archive, std::uint32_t slot, std::span<std::uint8_t> out) const;

 private:
  struct Schedule {
    ArchiveTime first = 0;   // nominal time of slot 0
    ArchiveTime period = 0;  // nominal spacing of the slots
    ArchiveTime jitter = 0;  // a slot lies up to this much after its nominal time (< period)
    std::uint32_t count = 0;
  };
  static Schedule makeSchedule(ArchiveTime now, ArchiveTime period, ArchiveTime phase,
                               ArchiveTime jitter, bool interval, std::uint32_t wanted);
  const Schedule& schedule(ArchiveId archive) const;
  std::uint64_t slotKey(ArchiveId archive, std::uint32_t slot, std::uint32_t purpose) const;
  std::uint64_t absoluteSlot(ArchiveId archive, std::uint32_t slot) const;

  bool unmeasured(ArchiveId archive, ArchiveTime time) const;

  std::uint32_t seed_;
  GeneratorFaults faults_;
  Schedule schedules_[kArchiveCount];
};

}  // namespace zvc::sim
