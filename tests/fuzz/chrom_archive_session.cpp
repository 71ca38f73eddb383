// Chromatograph archive readings: the clock or the range query, the measurement, hourly and
// daily records and their table, whatever the controller answers.
#include "core/archives/chrom_archives.h"
#include "fuzz_support.h"

namespace zvc::fuzz {
namespace {

constexpr ChromArchive kArchives[] = {ChromArchive::kMeasurement, ChromArchive::kHourly,
                                      ChromArchive::kDaily, ChromArchive::kDaily};

// Operation byte: bits 0..1 the archive, bit 2 run 2 (else run 1).
void session(kpsbox& engine, FakeLine& line, std::uint8_t operation) {
  ControllerSession controller(engine, line);
  const ChromArchive archive = kArchives[operation & 3];
  const int run = (operation & 4) != 0 ? 2 : 1;
  if (const auto reading = readChromArchive(controller, archive, run)) {
    (void)buildChromTable(archive, reading->header, reading->records);
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
  return all;
}

}  // namespace zvc::fuzz
