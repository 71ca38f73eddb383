#include "sim/sim_archives.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace zvc::sim {

namespace {

// Controller error codes.
constexpr std::uint8_t kUnknownFunction = 1;
constexpr std::uint8_t kWrongLength = 2;
constexpr std::uint8_t kBadParameters = 4;
constexpr std::uint8_t kNoSuchIndices = 18;
constexpr std::uint8_t kSeriesOrderBroken = 20;
constexpr std::uint8_t kOtherPeriodInSeries = 21;
constexpr std::uint8_t kBadPeriod = 22;

constexpr std::size_t kMaxFrame = 255;
constexpr std::size_t kFrameOverhead = 6;  // start, address, length, function, checksum

// Bytes ahead of the records in the answers of functions 7, 8 and 15/16.
constexpr std::size_t kIndexAnswerHead = 7;
constexpr std::size_t kPeriodAnswerHead = 4;
constexpr std::size_t kHourDayAnswerHead = 1;

// How many records the "records outside the period" fault puts before the begin.
constexpr std::uint32_t kRecordsBeforePeriod = 2;

constexpr std::uint8_t kArchiveErrorBit = 0x80;

std::size_t recordsThatFit(ArchiveId archive, std::size_t head) {
  return (kMaxFrame - kFrameOverhead - head) / recordSize(archive);
}

ArchiveReply refuse(std::uint8_t code) {
  return {code, {}};
}

ArchiveReply startReply(std::initializer_list<std::uint8_t> head) {
  ArchiveReply reply;
  reply.payload.reserve(kMaxFrame);
  reply.payload.assign(head);
  return reply;
}

std::uint32_t readU32(const std::uint8_t* at) {
  return at[0] | (at[1] << 8) | (at[2] << 16) | (static_cast<std::uint32_t>(at[3]) << 24);
}

void putU32(std::uint8_t* at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

void appendRecord(const ArchiveGenerator& generator, ArchiveId archive, std::uint32_t slot,
                  std::vector<std::uint8_t>& payload) {
  const std::size_t at = payload.size();
  payload.resize(at + recordSize(archive));
  generator.buildRecord(archive, slot, std::span(payload).subspan(at));
}

// The archive a function-8 request names by its source byte and kind.
std::optional<ArchiveId> periodArchive(std::uint8_t source, std::uint8_t kind) {
  if (kind == 6) {
    switch (source) {
      case 0x00:
        return ArchiveId::kChromMeasRun1;
      case 0x10:
        return ArchiveId::kChromMeasRun2;
      case 0x01:
        return ArchiveId::kMoistureMeas;
      default:
        return std::nullopt;
    }
  }
  if (source != 0) return std::nullopt;
  switch (kind) {
    case 0:
      return ArchiveId::kDiagnostic;
    case 1:
      return ArchiveId::kIntervention;
    case 5:
      return ArchiveId::kCalibration;
    case 7:
      return ArchiveId::kVerification;
    default:
      return std::nullopt;
  }
}

ArchiveId hourDayArchive(bool daily, std::uint8_t run, std::uint8_t device) {
  if (device == 1) return daily ? ArchiveId::kMoistureDay : ArchiveId::kMoistureHour;
  if (daily) return run == 0 ? ArchiveId::kChromDayRun1 : ArchiveId::kChromDayRun2;
  return run == 0 ? ArchiveId::kChromHourRun1 : ArchiveId::kChromHourRun2;
}

std::uint8_t nextSequence(std::uint8_t sequence) {
  return sequence == 255 ? 1 : static_cast<std::uint8_t>(sequence + 1);
}

}  // namespace

SimArchives::SimArchives(std::uint32_t seed, const std::uint8_t (&now)[6],
                         const ArchiveFaults& faults, bool moistureMeter)
    : generator_(seed, readArchiveDate(now, 6).value_or(0),
                 {faults.hourlyGap, faults.corruptRecords, faults.unmeasuredDay, faults.moistureGap,
                  faults.moistureLag},
                 moistureMeter),
      faults_(faults) {}

ArchiveReply SimArchives::handle(std::uint8_t function, std::span<const std::uint8_t> payload) {
  switch (function) {
    case 7:
      return readByIndex(payload);
    case 8:
      return readByPeriod(payload);
    case 15:
      return readHourDay(false, payload);
    case 16:
      return readHourDay(true, payload);
    default:
      return refuse(kUnknownFunction);
  }
}

ArchiveReply SimArchives::readByIndex(std::span<const std::uint8_t> payload) const {
  if (payload.size() != 7) return refuse(kWrongLength);
  const std::uint8_t kind = payload[1];
  if (payload[0] != 0 || kind > 1) return refuse(kBadParameters);
  const ArchiveId archive = kind == 0 ? ArchiveId::kDiagnostic : ArchiveId::kIntervention;
  const std::uint32_t wanted = payload[6];
  if (wanted == 0 || wanted > recordsThatFit(archive, kIndexAnswerHead)) {
    return refuse(kBadParameters);
  }
  const std::uint32_t oldest = kind == 0 ? kOldestDiagnosticIndex : kOldestInterventionIndex;
  const std::uint32_t first = readU32(&payload[2]);
  const std::uint32_t total = generator_.count(archive);
  if (first < oldest || first - oldest >= total) return refuse(kNoSuchIndices);

  const std::uint32_t slot = first - oldest;
  const std::uint32_t n = std::min(wanted, total - slot);
  ArchiveReply reply = startReply({payload[0], payload[1], payload[2], payload[3], payload[4],
                                   payload[5], static_cast<std::uint8_t>(n)});
  for (std::uint32_t i = 0; i < n; ++i) appendRecord(generator_, archive, slot + i, reply.payload);
  return reply;
}

ArchiveReply SimArchives::readByPeriod(std::span<const std::uint8_t> payload) {
  if (payload.size() != 15) return refuse(kWrongLength);
  const std::uint8_t sequence = payload[2];
  if (sequence == 0) return startSeries(payload);
  if (!series_.active || payload[0] != series_.source || payload[1] != series_.kind) {
    return refuse(kSeriesOrderBroken);
  }
  if (!std::equal(series_.period.begin(), series_.period.end(), payload.begin() + 3)) {
    return refuse(kOtherPeriodInSeries);
  }
  if (sequence == series_.lastSequence) {
    // The answer was lost on the line and the request repeated: answer it again.
    series_.nextSlot = series_.lastAnswerSlot;
    series_.answers = series_.answersBeforeLast;
  } else if (sequence != nextSequence(series_.lastSequence)) {
    return refuse(kSeriesOrderBroken);
  }
  return answerSeries(sequence);
}

ArchiveReply SimArchives::startSeries(std::span<const std::uint8_t> payload) {
  series_.active = false;
  const std::optional<ArchiveId> archive = periodArchive(payload[0], payload[1]);
  const std::optional<ArchiveTime> begin = readArchiveDate(&payload[3], 6);
  const std::optional<ArchiveTime> end = readArchiveDate(&payload[9], 6);
  if (!archive || !begin || !end) return refuse(kBadParameters);
  if (*begin > *end) return refuse(kBadPeriod);

  std::uint32_t first = generator_.firstSlotFrom(*archive, *begin);
  if (faults_.recordsOutsidePeriod) first -= std::min(first, kRecordsBeforePeriod);
  series_ = PeriodSeries{};
  series_.active = true;
  series_.source = payload[0];
  series_.kind = payload[1];
  std::copy(payload.begin() + 3, payload.end(), series_.period.begin());
  series_.archive = *archive;
  series_.end = *end;
  series_.nextSlot = first;
  return answerSeries(0);
}

ArchiveReply SimArchives::answerSeries(std::uint8_t sequence) {
  const ArchiveId archive = series_.archive;
  const auto inPeriod = [&](std::uint32_t slot) {
    return slot < generator_.count(archive) && generator_.slotTime(archive, slot) <= series_.end;
  };
  std::size_t limit = recordsThatFit(archive, kPeriodAnswerHead);
  if (faults_.longSeries > 0 && series_.answers < static_cast<std::uint32_t>(faults_.longSeries)) {
    limit = 1;
  }

  const std::uint8_t flags = faults_.archiveErrorFlag ? kArchiveErrorBit : 0;
  ArchiveReply reply = startReply({flags, 0, 0, 0});
  series_.lastAnswerSlot = series_.nextSlot;
  series_.answersBeforeLast = series_.answers;
  std::uint32_t slot = series_.nextSlot;
  std::size_t n = 0;
  for (; n < limit && inPeriod(slot); ++n, ++slot) {
    appendRecord(generator_, archive, slot, reply.payload);
  }
  series_.nextSlot = slot;
  series_.answers += 1;
  series_.lastSequence = sequence;
  reply.payload[2] = static_cast<std::uint8_t>(n);
  reply.payload[3] = inPeriod(slot) ? 1 : 0;
  return reply;
}

ArchiveReply SimArchives::readHourDay(bool daily, std::span<const std::uint8_t> payload) {
  const int dateLength = daily ? 3 : 4;
  if (payload.size() != static_cast<std::size_t>(3 + 2 * dateLength)) return refuse(kWrongLength);
  const std::uint8_t run = payload[1];
  const std::uint8_t device = payload[2];
  if (payload[0] != 3 || run > 1 || device > 1 || (device == 1 && run != 0)) {
    return refuse(kBadParameters);
  }
  const std::optional<ArchiveTime> start = readArchiveDate(&payload[3], dateLength);
  const std::optional<ArchiveTime> end = readArchiveDate(&payload[3 + dateLength], dateLength);
  if (!start || !end) return refuse(kBadParameters);
  if (*start > *end) return refuse(kBadPeriod);

  const ArchiveId archive = hourDayArchive(daily, run, device);
  // The end names the last interval wanted: its hour, or any time of its day.
  const ArchiveTime last = daily ? *end + kSecondsPerDay - 1 : *end;
  const std::uint32_t total = generator_.count(archive);
  const std::size_t limit = recordsThatFit(archive, kHourDayAnswerHead);
  std::uint32_t slot = generator_.firstSlotFrom(archive, *start);
  if (faults_.recordsOutsidePeriod) slot -= std::min(slot, kRecordsBeforePeriod);
  if (answersEarly(archive) && slot > 0) --slot;

  ArchiveReply reply = startReply({0});
  std::size_t n = 0;
  for (; n < limit && slot < total && generator_.slotTime(archive, slot) <= last; ++slot) {
    if (!generator_.slotPresent(archive, slot)) continue;
    appendRecord(generator_, archive, slot, reply.payload);
    ++n;
  }
  reply.payload[0] = static_cast<std::uint8_t>(n);
  return reply;
}

bool SimArchives::answersEarly(ArchiveId archive) {
  switch (faults_.earlyAnswer) {
    case EarlyAnswer::kNever:
      return false;
    case EarlyAnswer::kOnce:
      return !std::exchange(answeredEarly_[static_cast<int>(archive)], true);
    case EarlyAnswer::kEvery:
      return true;
  }
  return false;
}

bool SimArchives::ownsTable(int table) const {
  return table == 10 || table == 11 || table == 12 || table == 27;
}

void SimArchives::fillTable(int table, std::span<std::uint8_t> image) const {
  std::fill(image.begin(), image.end(), std::uint8_t{0});
  switch (table) {
    case 10:
      fillBounds(ArchiveId::kDiagnostic, kOldestDiagnosticIndex, image);
      break;
    case 11:
      fillBounds(ArchiveId::kIntervention, kOldestInterventionIndex, image);
      break;
    case 12:
      fillBounds(ArchiveId::kCalibration, 1, image);
      break;
    case 27:
      fillFirstRecordDates(image);
      break;
    default:
      break;
  }
}

// Oldest and newest index; both the same (not 0) when the archive is empty.
void SimArchives::fillBounds(ArchiveId archive, std::uint32_t oldestIndex,
                             std::span<std::uint8_t> image) const {
  const std::uint32_t total = generator_.count(archive);
  std::uint8_t bounds[8];
  putU32(bounds, oldestIndex);
  putU32(bounds + 4, total == 0 ? oldestIndex : oldestIndex + total - 1);
  std::copy_n(bounds, std::min(image.size(), sizeof bounds), image.begin());
}

// Dates of the oldest measurement, hourly and daily records. The daily date is
// when the oldest gas day ended, marked by bit 7 of its seconds.
void SimArchives::fillFirstRecordDates(std::span<std::uint8_t> image) const {
  static constexpr std::uint8_t kNoRecords[6] = {1, 1, 1, 0, 0, 0};
  std::uint8_t dates[18];
  const auto writeOldest = [&](ArchiveId archive, ArchiveTime shift, std::uint8_t* out) {
    if (generator_.count(archive) == 0) {
      std::copy_n(kNoRecords, 6, out);
    } else {
      writeDateTime6(generator_.slotTime(archive, 0) + shift, out);
    }
  };
  writeOldest(ArchiveId::kChromMeasRun1, 0, dates);
  writeOldest(ArchiveId::kChromHourRun1, 0, dates + 6);
  writeOldest(ArchiveId::kChromDayRun1, kSecondsPerDay, dates + 12);
  if (generator_.count(ArchiveId::kChromDayRun1) != 0) dates[17] |= 0x80;
  std::copy_n(dates, std::min(image.size(), sizeof dates), image.begin());
}

}  // namespace zvc::sim
