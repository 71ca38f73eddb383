// Chromatograph archive benchmark:
//   (a) a measurement table of 10,000 records and 20 parameters (22 columns) built from its
//       records and exported to an ".xlsx" file: the sheet as the table window writes it, saved
//       through libxlsxwriter. Goals: under 1 s, peak resident memory under 200 MB.
//   (b) a 10-day measurement archive of run 1 read through the engine and the archive reader
//       from zvc-sim's pseudo-terminal with its line emulation at 38400 bit/s: the wall time over
//       the pure line time of every byte that crossed the line. Goal: at most 1.05.
//
// Not a ctest test. Build and run:
//   cmake --build build --target zvc_bench_chrom
//   build/bench/zvc_bench_chrom [--rows N] [--days N]
// Defaults: 10000 rows, 10 days (about 1800 exchanges, some two minutes). --days 0 skips (b).
// Exit status 1 when a goal is missed or a step fails.
#include <stdlib.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "core/archives/chrom_archive_reader.h"
#include "core/archives/spreadsheet_export.h"
#include "core/common/crc16.h"
#include "core/common/format.h"
#include "core/link/kpsbox.h"
#include "core/link/link_settings.h"
#include "core/tables/config_image.h"
#include "core/tables/table_service.h"
#include "core/ui/connection_state.h"
#include "core/ui/frontend.h"
#include "sim_process.h"

namespace zvc {
namespace {

using Clock = std::chrono::steady_clock;
using Seconds = std::chrono::duration<double>;

constexpr int kParameters = 20;
constexpr double kExportGoal = 1.0;         // seconds
constexpr double kMemoryGoal = 200 * 1024;  // kilobytes
constexpr int kLineRate = 38400;
constexpr double kBitsPerByte = 10;
constexpr double kLineTimeGoal = 1.05;
constexpr std::uint8_t kSimCom = 40;
constexpr unsigned kSeed = 15;

struct Options {
  int rows = 10000;
  int days = 10;
};

double peakResidentKb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss);
}

double secondsSince(Clock::time_point start) {
  return Seconds(Clock::now() - start).count();
}

const char* verdict(bool met) {
  return met ? "met" : "MISSED";
}

// 20 parameters with 2 to 5 decimals, named P1..P20, unit "%".
ArchiveFileHeader benchHeader(int rows) {
  ArchiveFileHeader header;
  const auto b = header.bytes();
  std::memcpy(b.data(), "MSA", 3);
  b[ArchiveFileHeader::kAddressAt] = 1;
  b[ArchiveFileHeader::kControllerTypeAt] = ArchiveFileHeader::kControllerType;
  b[ArchiveFileHeader::kChromatographModelAt] = ArchiveFileHeader::kVelaChromatograph;
  b[ArchiveFileHeader::kParameterCountAt] = kParameters;
  for (int p = 0; p < kParameters; ++p) {
    auto* slot = &b[ArchiveFileHeader::kParametersAt + ArchiveFileHeader::kParameterSlot * p];
    const std::string name = format("P%d", p + 1);
    std::memcpy(slot, name.data(), name.size());
    slot[ArchiveFileHeader::kUnitCodeInSlot] = 1;
    slot[ArchiveFileHeader::kDecimalsInSlot] = static_cast<std::uint8_t>(2 + p % 4);
  }
  header.setPeriod({24, 1, 1, 0, 0, 0}, {24, 2, 1, 0, 0, 0});
  header.setRecordCount(static_cast<std::uint32_t>(rows));
  return header;
}

// Sound records four minutes apart with random values, some in a limit zone.
ArchiveRecords benchRecords(int rows) {
  std::mt19937 random(kSeed);
  std::uniform_real_distribution<float> value(0.0f, 100.0f);
  std::uniform_int_distribution<int> zone(0, 15);
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(rows) * ChromMeasRecord::kSize);
  DateTime6 time{24, 1, 1, 0, 0, 0};
  for (int i = 0; i < rows; ++i) {
    std::uint8_t* record = &bytes[static_cast<std::size_t>(i) * ChromMeasRecord::kSize];
    time.toBytes(record);
    for (int p = 0; p < kParameters; ++p) {
      const float v = value(random);
      std::uint8_t* at = record + ChromMeasRecord::kValuesAt + 4 * p;
      std::memcpy(at, &v, 4);
      const int z = zone(random);
      at[0] = static_cast<std::uint8_t>((at[0] & ~3) | (z < 3 ? z : 0));
    }
    appendCrc16(record, ChromMeasRecord::kSize - 2);
    time.minute = static_cast<std::uint8_t>(time.minute + 4);
    if (time.minute >= 60) {
      time.minute = static_cast<std::uint8_t>(time.minute - 60);
      time = addHours(time, 1);
    }
  }
  return ArchiveRecords(ChromMeasRecord::kSize, std::move(bytes));
}

bool benchExport(const Options& options) {
  std::printf("(a) measurement table of %d records, %d columns, exported to .xlsx\n", options.rows,
              kParameters + 2);
  const ArchiveRecords records = benchRecords(options.rows);
  const ArchiveFileHeader header = benchHeader(options.rows);
  std::string pattern = (std::filesystem::temp_directory_path() / "zvc-bench-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) return false;
  const std::filesystem::path folder = pattern;
  const auto start = Clock::now();
  const ChromTable table = buildChromTable(ChromArchive::kMeasurement, header, records);
  const double tableTime = secondsSince(start);
  SilentFrontend frontend;
  const auto exportStart = Clock::now();
  const bool saved = exportChromTable(table, folder / "bench.xlsx", frontend);
  const double exportTime = secondsSince(exportStart);
  const auto size = saved ? std::filesystem::file_size(folder / "bench.xlsx") : 0;
  std::filesystem::remove_all(folder);
  if (!saved) {
    std::fprintf(stderr, "zvc_bench_chrom: the sheet was not written\n");
    return false;
  }
  const double total = tableTime + exportTime;
  const double peak = peakResidentKb();
  std::printf(
      "  grid texts %.3f s, sheet and file %.3f s (%ju bytes): %.3f s (goal < %.0f s, %s)\n",
      tableTime, exportTime, static_cast<std::uintmax_t>(size), total, kExportGoal,
      verdict(total < kExportGoal));
  std::printf("  peak resident memory %.1f MB (goal < %.0f MB, %s)\n", peak / 1024,
              kMemoryGoal / 1024, verdict(peak < kMemoryGoal));
  return total < kExportGoal && peak < kMemoryGoal;
}

// Counts the bytes of every exchange on the line: the reader moves the progress bar once per
// answer that carries records, right after the engine took it.
class WireCounter : public SilentFrontend {
 public:
  WireCounter(const kpsbox& engine, int answerPreambles)
      : engine_(engine), answerPreambles_(answerPreambles) {}
  void progressSet(int) override { countLastExchange(); }
  void countLastExchange() {
    bytes += engine_.preambleCount + engine_.request[2] + answerPreambles_ + engine_.response[2];
    ++exchanges;
  }

  long bytes = 0;
  int exchanges = 0;

 private:
  const kpsbox& engine_;
  int answerPreambles_;
};

bool benchReading(const Options& options) {
  std::printf(
      "(b) %d days of run 1's measurement archive from zvc-sim's pseudo-terminal, line "
      "emulation at %d bit/s\n",
      options.days, kLineRate);
  test::SimProcess sim(
      {"--pty", "--line-rate", std::to_string(kLineRate), "--time", "2026-03-15 12:00:00"});
  kpsbox engine{1};
  LinkSettings settings;
  settings.general.linkKind = kDirectLink;
  settings.direct.port = kSimCom;
  settings.direct.speed = kLineRate;
  settings.general.closePortAfterEachCommand = false;
  settings.ports[kSimCom] = sim.ptyPath();
  configureEngine(engine, settings);
  constexpr int kSimAnswerPreambles = 3;  // table 3 field 2 of the simulator
  WireCounter frontend(engine, kSimAnswerPreambles);
  engine.statusPanel = &frontend;
  if (!engine.OpenPort()) {
    std::fprintf(stderr, "zvc_bench_chrom: cannot open %s\n", sim.ptyPath().c_str());
    return false;
  }
  ConnectionState connection{.engine = &engine};
  ConfigImage image;
  TableService service{connection, image, settings, frontend};
  std::string pattern = (std::filesystem::temp_directory_path() / "zvc-bench-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) return false;
  const std::filesystem::path folder = pattern;
  ChromArchiveReader reader(connection, service, folder);
  const DateTime6 last{26, 3, 15, 12, 0, 0};
  const DateTime6 first = addDays(last, -options.days);

  const auto start = Clock::now();
  const auto reading = reader.readMeasurements(0, first, last);
  const double wall = secondsSince(start);
  frontend.countLastExchange();  // the answer without records that ended the series
  engine.ClosePort();
  std::filesystem::remove_all(folder);
  if (!reading) {
    std::fprintf(stderr, "zvc_bench_chrom: the reading failed: %s\n",
                 std::string(engine.ErrorText()).c_str());
    return false;
  }
  const double line = frontend.bytes * kBitsPerByte / kLineRate;
  const double ratio = wall / line;
  std::printf(
      "  %zu records in %d exchanges, %.1f s; %ld bytes on the line = %.1f s of line time\n",
      reading->records.count(), frontend.exchanges, wall, frontend.bytes, line);
  std::printf("  ratio %.3f (goal <= %.2f, %s); %.2f ms per exchange beyond the line\n", ratio,
              kLineTimeGoal, verdict(ratio <= kLineTimeGoal),
              (wall - line) / frontend.exchanges * 1e3);
  return ratio <= kLineTimeGoal;
}

bool parseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i + 1 < argc; i += 2) {
    const auto value = parseInteger(argv[i + 1]);
    if (!value || *value < 0 || *value > 1000000) return false;
    if (std::strcmp(argv[i], "--rows") == 0 && *value > 0) {
      options.rows = int(*value);
    } else if (std::strcmp(argv[i], "--days") == 0 && *value <= 3650) {
      options.days = int(*value);
    } else {
      return false;
    }
  }
  return argc % 2 == 1;
}

}  // namespace
}  // namespace zvc

int main(int argc, char** argv) {
  zvc::Options options;
  if (!zvc::parseOptions(argc, argv, options)) {
    std::fputs("usage: zvc_bench_chrom [--rows N] [--days N]\n", stderr);
    return 2;
  }
  bool met = zvc::benchExport(options);
  if (options.days > 0) met = zvc::benchReading(options) && met;
  std::printf("%s\n", met ? "goals met" : "GOAL MISSED");
  return met ? 0 : 1;
}
