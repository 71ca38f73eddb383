// Chromatograph and moisture-meter archive readings: the clock or the range query, the
// measurement, hourly and daily records and their table, whatever the controller answers.
#include "core/archives/chrom_archives.h"
#include "core/archives/moisture_archives.h"
#include "fuzz_support.h"

namespace zvc::fuzz {
namespace {

constexpr ChromArchive kArchives[] = {ChromArchive::kMeasurement, ChromArchive::kHourly,
                                      ChromArchive::kDaily, ChromArchive::kDaily};

constexpr MoistureArchive kMoistureArchives[] = {
    MoistureArchive::kMeasurement, MoistureArchive::kHourly, MoistureArchive::kDaily,
    MoistureArchive::kDaily};

// Operation byte: bits 0..1 the archive; bits 2..3 the device: run 1, run 2, the moisture meter.
void session(kpsbox& engine, FakeLine& line, std::uint8_t operation) {
  ControllerSession controller(engine, line);
  const int archive = operation & 3;
  const int run = (operation >> 2) & 3;
  const auto reading = readDeviceArchive(controller, kArchives[archive], run > 1 ? 0 : run + 1);
  if (!reading) return;
  if (run > 1) {
    (void)buildMoistureTable(kMoistureArchives[archive], reading->header, reading->records);
  } else {
    (void)buildChromTable(kArchives[archive], reading->header, reading->records);
  }
}

}  // namespace

void fuzzOne(std::span<const std::uint8_t> input) {
  runLineInput(input, session);
}

std::vector<Bytes> seeds() {
  std::vector<Bytes> all;
  for (std::uint8_t operation = 0; operation < 3; ++operation) {
    all.push_back(recordLineInput(0, operation, session));
  }
  all.push_back(recordLineInput(3, 4, session));
  for (std::uint8_t operation = 8; operation < 11; ++operation) {
    all.push_back(recordLineInput(0, operation, session));
  }
  return all;
}

}  // namespace zvc::fuzz
