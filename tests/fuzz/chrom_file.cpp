// Saved chromatograph archive files (".mch", ".hch", ".dch"): opening one, its table and the
// status title of every record.
#include "core/archives/chrom_files.h"
#include "core/archives/message_files.h"
#include "fuzz_support.h"

namespace zvc::fuzz {
namespace {

constexpr ChromArchive kArchives[] = {ChromArchive::kMeasurement, ChromArchive::kHourly,
                                      ChromArchive::kDaily};

void show(ChromArchive archive, const SavedChromArchive& saved) {
  (void)buildChromTable(archive, saved.header, saved.records);
  for (std::size_t index = 0; index < saved.records.count(); ++index) {
    (void)chromStatusTitle(archive, saved.records[index]);
  }
}

}  // namespace

// The same bytes are offered as each kind; the signature refuses them for two at least.
void fuzzOne(std::span<const std::uint8_t> input) {
  const auto file = scratchFile("chromatograph", input);
  SilentFrontend frontend;
  for (const ChromArchive archive : kArchives) {
    if (const auto saved = openChromFile(archive, file, frontend)) show(archive, *saved);
  }
}

std::vector<Bytes> seeds() {
  std::vector<Bytes> all;
  for (const ChromArchive archive : kArchives) {
    const ChromReading reading = simulatorDeviceReading(archive, 1);
    all.push_back(writtenBytes("saved", [&](const std::filesystem::path& file) {
      SilentFrontend frontend;
      writeMessageFile(file, reading.header, reading.records, frontend);
    }));
  }
  return all;
}

}  // namespace zvc::fuzz
