#include "sim/sim_archive_generator.h"

#include <algorithm>
#include <cstring>

#include "core/common/calendar.h"
#include "core/common/crc16.h"

namespace zvc::sim {

namespace {

long epochDayNumber() {
  static const long day = dayNumber(2000, 1, 1);
  return day;
}

// ---- deterministic randomness (same bytes on every platform and library) ----

std::uint64_t mix64(std::uint64_t x) {
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
  return x ^ (x >> 31);
}

std::uint64_t makeKey(std::uint32_t seed, std::uint64_t a, std::uint64_t b, std::uint64_t c) {
  std::uint64_t key = mix64(seed + 0x9E3779B97F4A7C15ULL);
  key = mix64(key ^ (a + 0x632BE59BD9B4E019ULL));
  key = mix64(key ^ (b + 0x8CB92BA72F3D8DD7ULL));
  return mix64(key ^ (c + 0xD6E8FEB86659FD93ULL));
}

// splitmix64
class Random {
 public:
  explicit Random(std::uint64_t key) : state_(key) {}
  std::uint64_t next() {
    state_ += 0x9E3779B97F4A7C15ULL;
    return mix64(state_);
  }
  std::uint32_t below(std::uint32_t n) { return static_cast<std::uint32_t>(next() % n); }
  bool oneIn(std::uint32_t n) { return below(n) == 0; }
  // Uniform in [-1, 1).
  double symmetric() { return static_cast<double>(next() >> 11) * 0x1.0p-52 - 1.0; }
  template <typename T, std::size_t N>
  T pick(const T (&items)[N]) {
    return items[below(N)];
  }

 private:
  std::uint64_t state_;
};

// Purposes of the keys derived from (seed, archive, slot).
enum KeyPurpose : std::uint32_t { kJitterKey = 1, kContentKey, kCorruptKey };

// ---- plausible values ----

struct TypicalValue {
  double base;
  double swing;
};

// Natural gas in the order of the simulated controller's measured-parameter table (C6+, C3,
// iC4, nC4, neoC5, iC5, nC5, N2 + O2, CH4, CO2, C2H6, Hs, density, Wobbe, Hi), as the
// archive records carry their values; five spare slots after them.
constexpr TypicalValue kGasValues[20] = {
    {0.050, 0.004},  {1.05, 0.03},     {0.160, 0.006},   {0.170, 0.006}, {0.0030, 0.0004},
    {0.040, 0.002},  {0.030, 0.002},   {1.10, 0.05},     {91.20, 0.40},  {0.90, 0.04},
    {4.10, 0.08},    {38.10, 0.12},    {0.7230, 0.0030}, {49.90, 0.10},  {34.35, 0.11},
    {0.0100, 0.0010}, {0.0150, 0.0010}, {0.0020, 0.0005}, {44.95, 0.09}, {0.6000, 0.0025}};
constexpr int kMeaningfulGasValues = 15;

// Dew points (°C), gauge pressure (bar), dew point reduced to absolute pressure.
constexpr TypicalValue kMoistureValues[4] = {{-18.0, 2.0}, {-8.0, 2.5}, {48.5, 1.5}, {-42.0, 2.0}};

constexpr int kGasChannel = 0;        // + run * 32 + parameter
constexpr int kMoistureChannel = 64;  // + value index
constexpr ArchiveTime kDriftNode = 6 * kSecondsPerHour;

// A slow wander in [-1, 1]: straight lines between random points six hours apart,
// so measurements, hourly and daily values of one period agree.
double drift(std::uint32_t seed, int channel, ArchiveTime time) {
  const ArchiveTime node = time / kDriftNode;
  const double fraction = static_cast<double>(time - node * kDriftNode) / kDriftNode;
  const double from = Random(makeKey(seed, 0xD21F7, channel, node)).symmetric();
  const double to = Random(makeKey(seed, 0xD21F7, channel, node + 1)).symmetric();
  return from + (to - from) * fraction;
}

double gasValue(std::uint32_t seed, int run, int parameter, ArchiveTime time) {
  const TypicalValue& typical = kGasValues[parameter];
  return typical.base + typical.swing * drift(seed, kGasChannel + run * 32 + parameter, time);
}

double moistureValue(std::uint32_t seed, int index, ArchiveTime time) {
  const TypicalValue& typical = kMoistureValues[index];
  return typical.base + typical.swing * drift(seed, kMoistureChannel + index, time);
}

// Chromatograph state codes a working instrument reports now and then.
constexpr std::uint8_t kChromStates[] = {29, 37, 57, 93, 97, 163, 178};

// ---- record bytes ----

void putU16(std::uint8_t* at, std::uint16_t value) {
  at[0] = static_cast<std::uint8_t>(value);
  at[1] = static_cast<std::uint8_t>(value >> 8);
}

void putU32(std::uint8_t* at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint32_t floatBits(double value) {
  const float single = static_cast<float>(value);
  std::uint32_t bits = 0;
  std::memcpy(&bits, &single, sizeof bits);
  return bits;
}

void putFloat(std::uint8_t* at, double value) {
  putU32(at, floatBits(value));
}

// Measurement values carry limit-zone flags in their two lowest bits.
void putZonedFloat(std::uint8_t* at, double value, std::uint32_t zone) {
  putU32(at, (floatBits(value) & ~3u) | zone);
}

constexpr std::uint32_t kNotANumber = 0x7FC00000u;

// Date3 of the interval's start and its hour, minute, second.
void writeIntervalStart(ArchiveTime start, std::uint8_t* record) {
  std::uint8_t dateTime[6];
  writeDateTime6(start, dateTime);
  std::memcpy(record, dateTime, 6);
}

void writeEndTime(ArchiveTime end, std::uint8_t* at) {
  std::uint8_t dateTime[6];
  writeDateTime6(end, dateTime);
  std::memcpy(at, dateTime + 3, 3);
}

void buildDiagnostic(Random& rnd, std::uint32_t seed, ArchiveTime time, std::uint8_t* r) {
  writeDateTime6(time, r);
  std::uint8_t& code = r[6];
  switch (rnd.below(12)) {
    case 0:
    case 1:
    case 2: {  // a gas parameter crossed a limit
      static constexpr std::uint8_t kLimitEvents[] = {12, 13, 14, 15, 16, 17,
                                                      18, 19, 44, 45, 46, 47};
      code = rnd.pick(kLimitEvents);
      const int run = static_cast<int>(rnd.below(2));
      const int parameter = static_cast<int>(rnd.below(kMeaningfulGasValues));
      const double value = gasValue(seed, run, parameter, time);
      const double setpoint = value + kGasValues[parameter].swing * (rnd.symmetric() * 0.5);
      r[8] = static_cast<std::uint8_t>(run);
      r[9] = static_cast<std::uint8_t>(parameter);
      putFloat(r + 10, value);
      putFloat(r + 14, setpoint);
      break;
    }
    case 3:
    case 4:  // link to an instrument lost or back
      code = static_cast<std::uint8_t>(10 + rnd.below(2));
      if (rnd.oneIn(3)) {
        r[8] = 34;  // a flow computer, by address
        r[9] = static_cast<std::uint8_t>(1 + rnd.below(8));
      } else {
        r[8] = 33;  // chromatograph (0) or moisture meter (1)
        r[9] = static_cast<std::uint8_t>(rnd.below(2));
      }
      break;
    case 5:  // instrument state became abnormal or normal
      code = static_cast<std::uint8_t>(22 + rnd.below(2));
      if (rnd.oneIn(2)) {
        r[8] = 200;
        r[9] = rnd.pick(kChromStates);
        putU32(r + 10, 1000 + rnd.below(9000));
      } else {
        r[8] = 201;
        r[9] = static_cast<std::uint8_t>(rnd.below(8));
      }
      break;
    case 6:  // gas parameters written to a flow computer, or not
      code = rnd.oneIn(5) ? 48 : 49;
      r[8] = 34;
      r[9] = static_cast<std::uint8_t>(1 + rnd.below(8));
      break;
    case 7: {  // calibration and verification cycles
      static constexpr std::uint8_t kCycles[] = {6, 6, 6, 7, 8, 8, 8, 9};
      code = rnd.pick(kCycles);
      break;
    }
    case 8:  // chromatograph failure with its state code
      code = 5;
      r[8] = 14;
      r[10] = static_cast<std::uint8_t>(1 + rnd.below(198));
      break;
    case 9: {  // power and restarts
      static constexpr std::uint8_t kPower[] = {2, 3, 3, 4};
      code = rnd.pick(kPower);
      r[8] = static_cast<std::uint8_t>(rnd.below(10));
      break;
    }
    case 10: {  // clock corrections and table trouble
      static constexpr std::uint8_t kTableEvents[] = {38, 39, 40, 41, 42, 43};
      static constexpr std::uint8_t kTables[] = {6, 14, 22, 27, 241, 242, 243, 244};
      code = rnd.pick(kTableEvents);
      r[8] = rnd.pick(kTables);
      break;
    }
    default:  // firmware checksum changed
      code = 59;
      putU32(r + 10, static_cast<std::uint32_t>(rnd.next()));
      putU32(r + 14, static_cast<std::uint32_t>(rnd.next()));
      break;
  }
}

// Units list A codes of the gas parameters' fields.
std::uint8_t setpointUnit(int parameter) {
  if (parameter <= 10) return 5;   // "%"
  if (parameter == 11) return 10;  // "кг/м3"
  return 9;                        // "МДж/м3"
}

void buildIntervention(Random& rnd, std::uint32_t seed, ArchiveTime time, std::uint8_t* r) {
  static constexpr const char* kOperators[] = {"ADM ", "OPER", "NAL1", "SMEN"};
  writeDateTime6(time, r);
  std::uint8_t& table = r[7];
  std::uint8_t& field = r[8];
  std::uint8_t& unit = r[9];
  std::uint8_t* oldValue = r + 10;
  std::uint8_t* newValue = r + 14;
  switch (rnd.below(10)) {
    case 0:  // clock set by hand
      table = 2;
      field = static_cast<std::uint8_t>(3 + rnd.below(2));
      oldValue[0] = static_cast<std::uint8_t>(rnd.below(field == 3 ? 24 : 60));
      newValue[0] = static_cast<std::uint8_t>(rnd.below(field == 3 ? 24 : 60));
      break;
    case 1: {  // line rates
      static constexpr std::uint8_t kTables[] = {3, 9, 14, 15};
      static constexpr std::uint8_t kRates[] = {11, 13, 15, 18};
      table = rnd.pick(kTables);
      field = 1;
      unit = 8;  // "бит/с"
      oldValue[0] = rnd.pick(kRates);
      newValue[0] = rnd.pick(kRates);
      break;
    }
    case 2:  // system parameters
      table = 6;
      field = static_cast<std::uint8_t>(6 + rnd.below(6));
      if (field == 6) {
        oldValue[0] = kContractHour;
        newValue[0] = static_cast<std::uint8_t>(rnd.below(24));
      } else {
        oldValue[0] = static_cast<std::uint8_t>(rnd.below(2));
        newValue[0] = static_cast<std::uint8_t>(1 - oldValue[0]);
      }
      break;
    case 3:  // chromatograph link time-out and retries
      table = 14;
      field = static_cast<std::uint8_t>(4 + rnd.below(2));
      oldValue[0] = static_cast<std::uint8_t>(1 + rnd.below(20));
      newValue[0] = static_cast<std::uint8_t>(1 + rnd.below(20));
      break;
    case 4:  // flow computer addresses
      table = 18;
      field = static_cast<std::uint8_t>(rnd.below(8));
      oldValue[0] = static_cast<std::uint8_t>(1 + rnd.below(247));
      newValue[0] = static_cast<std::uint8_t>(1 + rnd.below(247));
      break;
    case 5:
    case 6:
    case 7: {  // warning setpoints and writing limits of a gas parameter
      table = static_cast<std::uint8_t>(23 + rnd.below(4));
      const int parameter = static_cast<int>(rnd.below(kMeaningfulGasValues));
      field = static_cast<std::uint8_t>(parameter);
      unit = setpointUnit(parameter);
      const double side = (table == 23 || table == 25) ? -1.0 : 1.0;
      const TypicalValue& typical = kGasValues[parameter];
      putFloat(oldValue, typical.base + side * typical.swing * (3 + rnd.below(3)));
      putFloat(newValue, typical.base + side * typical.swing * (3 + rnd.below(3)));
      break;
    }
    case 8:  // which values go to the flow computers, which stay on a constant
      table = rnd.oneIn(2) ? 21 : 43;
      field = static_cast<std::uint8_t>(rnd.below(kMeaningfulGasValues));
      oldValue[0] = static_cast<std::uint8_t>(rnd.below(2));
      newValue[0] = static_cast<std::uint8_t>(1 - oldValue[0]);
      break;
    default: {  // constants of a run
      table = rnd.oneIn(2) ? 44 : 46;
      const int parameter = static_cast<int>(rnd.below(kMeaningfulGasValues));
      field = static_cast<std::uint8_t>(parameter);
      unit = setpointUnit(parameter);
      putFloat(oldValue, gasValue(seed, 0, parameter, time - kSecondsPerDay));
      putFloat(newValue, gasValue(seed, 0, parameter, time));
      break;
    }
  }
  std::memcpy(r + 18, rnd.pick(kOperators), 4);
}

// Calibration and verification: run number, verdict, the values found.
void buildCheckResult(Random& rnd, std::uint32_t seed, ArchiveTime time, std::uint64_t slot,
                      int failOneIn, std::uint8_t* r) {
  writeDateTime6(time, r);
  const int run = static_cast<int>(slot % 2);
  r[6] = static_cast<std::uint8_t>(run + 1);
  r[7] = rnd.oneIn(failOneIn) ? 1 : 0;
  for (int p = 0; p < 20; ++p) {
    const double value =
        gasValue(seed, run, p, time) + kGasValues[p].swing * 0.05 * rnd.symmetric();
    const std::uint32_t zone = (r[7] != 0 && rnd.oneIn(4)) ? 1 + rnd.below(2) : 0;
    putZonedFloat(r + 8 + 4 * p, value, zone);
  }
}

void buildChromMeasurement(Random& rnd, std::uint32_t seed, int run, ArchiveTime time,
                           std::uint8_t* r) {
  writeDateTime6(time, r);
  std::uint8_t& status = r[7];
  if (rnd.oneIn(400)) {
    status = 0x20;  // no link with the chromatograph: nothing measured
    return;
  }
  if (rnd.oneIn(300)) putU16(r + 8, rnd.pick(kChromStates));
  if (rnd.oneIn(700)) status |= 0x04;  // no link with the moisture meter
  const int outlier = rnd.oneIn(150) ? static_cast<int>(rnd.below(kMeaningfulGasValues)) : -1;
  const int notANumber = rnd.oneIn(1500) ? static_cast<int>(rnd.below(kMeaningfulGasValues)) : -1;
  for (int p = 0; p < 20; ++p) {
    std::uint8_t* at = r + 12 + 4 * p;
    if (p == notANumber) {
      putU32(at, kNotANumber);
      continue;
    }
    double value = gasValue(seed, run, p, time) + kGasValues[p].swing * 0.15 * rnd.symmetric();
    std::uint32_t zone = 0;
    if (p == outlier) {
      const bool alarm = rnd.oneIn(4);
      value += kGasValues[p].swing * (alarm ? 6 : 4);
      zone = alarm ? 2 : 1;
      status |= alarm ? 0x10 : 0x08;
    }
    putZonedFloat(at, value, zone);
  }
}

void buildChromHourDay(Random& rnd, std::uint32_t seed, int run, ArchiveTime start,
                       ArchiveTime length, bool incomplete, std::uint8_t* r) {
  const bool daily = length == kSecondsPerDay;
  writeIntervalStart(start, r);
  writeEndTime(start + length, r + 6);
  if (daily && !incomplete) r[6] |= 0x80;  // the gas day was recorded whole
  static constexpr std::uint8_t kSubstitutions[] = {0x08, 0x10, 0x20, 0x40};
  r[9] = rnd.oneIn(60) ? rnd.pick(kSubstitutions) : 0;
  const std::uint16_t analyses = static_cast<std::uint16_t>(length / 240);
  putU16(r + 10, static_cast<std::uint16_t>(analyses - (rnd.oneIn(10) ? 1 : 0)));
  const ArchiveTime middle = start + length / 2;
  for (int p = 0; p < 20; ++p) putFloat(r + 12 + 4 * p, gasValue(seed, run, p, middle));
}

void buildMoistureMeasurement(Random& rnd, std::uint32_t seed, ArchiveTime time, std::uint8_t* r) {
  writeDateTime6(time, r);
  if (rnd.oneIn(800)) {
    r[6] = 0x02;  // meter off
    return;
  }
  if (rnd.oneIn(300)) {
    r[6] = 0x04;  // no link with the meter
    return;
  }
  if (rnd.oneIn(200)) putU16(r + 9, rnd.oneIn(2) ? 0x0004 : 0x0010);
  for (int i = 0; i < 4; ++i) {
    const double noise = kMoistureValues[i].swing * 0.1 * rnd.symmetric();
    putFloat(r + 11 + 4 * i, moistureValue(seed, i, time) + noise);
  }
}

void buildMoistureHourDay(Random& rnd, std::uint32_t seed, ArchiveTime start, ArchiveTime length,
                          bool incomplete, std::uint8_t* r) {
  const bool daily = length == kSecondsPerDay;
  writeIntervalStart(start, r);
  writeEndTime(start + length, r + 6);
  if (daily && !incomplete) r[6] |= 0x80;
  r[9] = rnd.oneIn(80) ? 0x04 : 0;
  const ArchiveTime middle = start + length / 2;
  for (int i = 0; i < 4; ++i) putFloat(r + 10 + 4 * i, moistureValue(seed, i, middle));
}

bool isHourly(ArchiveId archive) {
  return archive == ArchiveId::kChromHourRun1 || archive == ArchiveId::kChromHourRun2 ||
         archive == ArchiveId::kMoistureHour;
}

}  // namespace

std::optional<ArchiveTime> readArchiveDate(const std::uint8_t* bytes, int length) {
  std::uint8_t full[6] = {0, 0, 0, 0, 0, 0};
  std::memcpy(full, bytes, static_cast<std::size_t>(std::clamp(length, 0, 6)));
  const DateTime6 date = DateTime6::fromBytes(full);
  if (!isValidDateTime(date)) return std::nullopt;
  const long days = dayNumber(date.fullYear(), date.month, date.day) - epochDayNumber();
  return days * kSecondsPerDay + date.hour * kSecondsPerHour + date.minute * 60 + date.second;
}

void writeDateTime6(ArchiveTime time, std::uint8_t* out) {
  const ArchiveTime days = time / kSecondsPerDay;
  const ArchiveTime seconds = time % kSecondsPerDay;
  DateTime6 date = dateTimeFromDayCount(static_cast<double>(epochDayNumber() + days));
  date.hour = static_cast<std::uint8_t>(seconds / kSecondsPerHour);
  date.minute = static_cast<std::uint8_t>(seconds / 60 % 60);
  date.second = static_cast<std::uint8_t>(seconds % 60);
  date.toBytes(out);
}

std::size_t recordSize(ArchiveId archive) {
  switch (archive) {
    case ArchiveId::kDiagnostic:
      return 22;
    case ArchiveId::kIntervention:
      return 24;
    case ArchiveId::kCalibration:
      return 170;
    case ArchiveId::kVerification:
      return 90;
    case ArchiveId::kMoistureMeas:
      return 29;
    case ArchiveId::kMoistureHour:
    case ArchiveId::kMoistureDay:
      return 28;
    default:
      return 94;
  }
}

ArchiveGenerator::ArchiveGenerator(std::uint32_t seed, ArchiveTime now,
                                   const GeneratorFaults& faults, bool moistureMeter)
    : seed_(seed), faults_(faults) {
  const auto set = [this](ArchiveId archive, Schedule schedule) {
    schedules_[static_cast<int>(archive)] = schedule;
  };
  const ArchiveTime hour = kSecondsPerHour;
  const ArchiveTime day = kSecondsPerDay;
  const ArchiveTime contract = kContractHour * hour;
  set(ArchiveId::kDiagnostic, makeSchedule(now, 600, 0, 290, false, 3000));
  set(ArchiveId::kIntervention, makeSchedule(now, 1800, 0, 890, false, 2000));
  set(ArchiveId::kCalibration, makeSchedule(now, day, 6 * hour, 1200, false, 90));
  set(ArchiveId::kVerification, makeSchedule(now, day / 2, 2 * hour, 1200, false, 360));
  // The chromatograph analyses the two runs in turn, every four minutes each.
  set(ArchiveId::kChromMeasRun1, makeSchedule(now, 240, 0, 20, false, 3600));
  set(ArchiveId::kChromMeasRun2, makeSchedule(now, 240, 120, 20, false, 3600));
  set(ArchiveId::kMoistureMeas, makeSchedule(now, 300, 0, 10, false, 2880));
  for (ArchiveId hourly :
       {ArchiveId::kChromHourRun1, ArchiveId::kChromHourRun2, ArchiveId::kMoistureHour}) {
    set(hourly, makeSchedule(now, hour, 0, 0, true, 62 * 24));
  }
  for (ArchiveId daily :
       {ArchiveId::kChromDayRun1, ArchiveId::kChromDayRun2, ArchiveId::kMoistureDay}) {
    set(daily, makeSchedule(now, day, contract, 0, true, 400));
  }
  if (!moistureMeter) {
    for (ArchiveId moisture :
         {ArchiveId::kMoistureMeas, ArchiveId::kMoistureHour, ArchiveId::kMoistureDay}) {
      set(moisture, {});
    }
  }
}

// The newest slot is the last one finished by `now` (an instant with its jitter,
// an interval at its end); the archive holds `wanted` slots back from there, or
// fewer when that would reach before the year 2000.
ArchiveGenerator::Schedule ArchiveGenerator::makeSchedule(ArchiveTime now, ArchiveTime period,
                                                          ArchiveTime phase, ArchiveTime jitter,
                                                          bool interval, std::uint32_t wanted) {
  const ArchiveTime latest = now - (interval ? period : jitter) - phase;
  if (latest < 0) return {};
  const ArchiveTime lastNominal = latest / period * period + phase;
  const ArchiveTime fitting = (lastNominal - phase) / period + 1;
  const auto count = static_cast<std::uint32_t>(std::min<ArchiveTime>(wanted, fitting));
  // One record alone would read as an empty archive in the boundary tables.
  if (count < 2) return {};
  return {lastNominal - static_cast<ArchiveTime>(count - 1) * period, period, jitter, count};
}

const ArchiveGenerator::Schedule& ArchiveGenerator::schedule(ArchiveId archive) const {
  return schedules_[static_cast<int>(archive)];
}

// Keyed by the slot's place in the endless schedule, not in the held window: a simulator started
// later serves the same records at the same times, and the newer ones after them.
std::uint64_t ArchiveGenerator::slotKey(ArchiveId archive, std::uint32_t slot,
                                        std::uint32_t purpose) const {
  return makeKey(seed_, static_cast<std::uint64_t>(archive), absoluteSlot(archive, slot),
                 purpose);
}

std::uint64_t ArchiveGenerator::absoluteSlot(ArchiveId archive, std::uint32_t slot) const {
  const Schedule& s = schedule(archive);
  return s.period > 0 ? static_cast<std::uint64_t>(s.first / s.period) + slot : slot;
}

std::uint32_t ArchiveGenerator::count(ArchiveId archive) const {
  return schedule(archive).count;
}

ArchiveTime ArchiveGenerator::slotTime(ArchiveId archive, std::uint32_t slot) const {
  const Schedule& s = schedule(archive);
  ArchiveTime time = s.first + static_cast<ArchiveTime>(slot) * s.period;
  if (s.jitter > 0) {
    time +=
        Random(slotKey(archive, slot, kJitterKey)).below(static_cast<std::uint32_t>(s.jitter) + 1);
  }
  return time;
}

bool ArchiveGenerator::slotPresent(ArchiveId archive, std::uint32_t slot) const {
  const std::uint32_t total = count(archive);
  if (faults_.moistureGap && archive == ArchiveId::kMoistureHour && total > 30 &&
      slot == total - 31) {
    return false;
  }
  if (archive == ArchiveId::kMoistureDay && total > 5 &&
      ((faults_.moistureGap && slot == total - 6) || (faults_.moistureLag && slot == total - 1))) {
    return false;
  }
  if (!faults_.hourlyGap || !isHourly(archive)) return true;
  // Three hours, ten to eight hours before the newest one: the controller was off.
  return total < 11 || slot < total - 11 || slot > total - 9;
}

// The chromatograph's records of the lost hours and of their gas day.
bool ArchiveGenerator::unmeasured(ArchiveId archive, ArchiveTime time) const {
  const bool hourly = archive == ArchiveId::kChromHourRun1 || archive == ArchiveId::kChromHourRun2;
  const bool daily = archive == ArchiveId::kChromDayRun1 || archive == ArchiveId::kChromDayRun2;
  const std::uint32_t days = count(ArchiveId::kChromDayRun1);
  if (!faults_.unmeasuredDay || (!hourly && !daily) || days < 3) return false;
  const ArchiveTime dayStart = slotTime(ArchiveId::kChromDayRun1, days - 3);
  return daily ? time == dayStart : time >= dayStart && time < dayStart + 3 * kSecondsPerHour;
}

std::uint32_t ArchiveGenerator::firstSlotFrom(ArchiveId archive, ArchiveTime time) const {
  std::uint32_t low = 0;
  std::uint32_t high = count(archive);
  while (low < high) {
    const std::uint32_t middle = low + (high - low) / 2;
    if (slotTime(archive, middle) < time) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  return low;
}

void ArchiveGenerator::buildRecord(ArchiveId archive, std::uint32_t slot,
                                   std::span<std::uint8_t> out) const {
  const std::size_t size = recordSize(archive);
  std::fill(out.begin(), out.end(), std::uint8_t{0});
  Random rnd(slotKey(archive, slot, kContentKey));
  const ArchiveTime time = slotTime(archive, slot);
  std::uint8_t* r = out.data();
  switch (archive) {
    case ArchiveId::kDiagnostic:
      buildDiagnostic(rnd, seed_, time, r);
      break;
    case ArchiveId::kIntervention:
      buildIntervention(rnd, seed_, time, r);
      break;
    case ArchiveId::kCalibration:
      buildCheckResult(rnd, seed_, time, absoluteSlot(archive, slot), 15, r);
      break;
    case ArchiveId::kVerification:
      buildCheckResult(rnd, seed_, time, absoluteSlot(archive, slot), 20, r);
      break;
    case ArchiveId::kChromMeasRun1:
    case ArchiveId::kChromMeasRun2:
      buildChromMeasurement(rnd, seed_, archive == ArchiveId::kChromMeasRun2, time, r);
      break;
    case ArchiveId::kMoistureMeas:
      buildMoistureMeasurement(rnd, seed_, time, r);
      break;
    case ArchiveId::kChromHourRun1:
    case ArchiveId::kChromHourRun2:
      buildChromHourDay(rnd, seed_, archive == ArchiveId::kChromHourRun2, time, kSecondsPerHour,
                        false, r);
      break;
    case ArchiveId::kChromDayRun1:
    case ArchiveId::kChromDayRun2:
      // The archive began during its oldest gas day.
      buildChromHourDay(rnd, seed_, archive == ArchiveId::kChromDayRun2, time, kSecondsPerDay,
                        slot == 0, r);
      break;
    case ArchiveId::kMoistureHour:
      buildMoistureHourDay(rnd, seed_, time, kSecondsPerHour, false, r);
      break;
    case ArchiveId::kMoistureDay:
      buildMoistureHourDay(rnd, seed_, time, kSecondsPerDay, slot == 0, r);
      break;
  }
  if (unmeasured(archive, time)) r[9] |= 0x20;  // no link with the chromatograph
  appendCrc16(r, size - 2);
  if (faults_.corruptRecords && Random(slotKey(archive, slot, kCorruptKey)).oneIn(40)) r[size - 2] ^= 0x5A;
}

}  // namespace zvc::sim
