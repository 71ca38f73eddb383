// Saved moisture-meter archive files (".mwm", ".hwm", ".dwm"): opening one and its table.
#include "core/archives/message_files.h"
#include "core/archives/moisture_files.h"
#include "fuzz_support.h"

namespace zvc::fuzz {
namespace {

constexpr MoistureArchive kArchives[] = {MoistureArchive::kMeasurement, MoistureArchive::kHourly,
                                         MoistureArchive::kDaily};
constexpr ChromArchive kSameReadings[] = {ChromArchive::kMeasurement, ChromArchive::kHourly,
                                          ChromArchive::kDaily};

}  // namespace

// The same bytes are offered as each kind; the signature refuses them for two at least.
void fuzzOne(std::span<const std::uint8_t> input) {
  const auto file = scratchFile("moisture", input);
  SilentFrontend frontend;
  for (const MoistureArchive archive : kArchives) {
    if (const auto saved = openMoistureFile(archive, file, frontend)) {
      (void)buildMoistureTable(archive, saved->header, saved->records);
    }
  }
}

std::vector<Bytes> seeds() {
  std::vector<Bytes> all;
  for (const ChromArchive archive : kSameReadings) {
    const ChromReading reading = simulatorDeviceReading(archive, 0);
    all.push_back(writtenBytes("saved", [&](const std::filesystem::path& file) {
      SilentFrontend frontend;
      writeMessageFile(file, reading.header, reading.records, frontend);
    }));
  }
  return all;
}

}  // namespace zvc::fuzz
