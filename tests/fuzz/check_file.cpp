// Saved calibration and verification files (".clb", ".vrf"): opening one and its table.
#include "core/archives/calibration_archives.h"
#include "core/archives/message_files.h"
#include "fuzz_support.h"

namespace zvc::fuzz {
namespace {

constexpr CheckArchive kArchives[] = {CheckArchive::kCalibration, CheckArchive::kVerification};

}  // namespace

// The same bytes are offered as both kinds; the signature refuses them for one at least.
void fuzzOne(std::span<const std::uint8_t> input) {
  const auto file = scratchFile("check", input);
  SilentFrontend frontend;
  for (const CheckArchive archive : kArchives) {
    if (const auto saved = openCheckFile(archive, file, frontend)) {
      (void)buildCheckTable(archive, saved->header, saved->records);
    }
  }
}

std::vector<Bytes> seeds() {
  std::vector<Bytes> all;
  for (const CheckArchive archive : kArchives) {
    const CheckReading reading = simulatorCheckReading(archive);
    all.push_back(writtenBytes("saved", [&](const std::filesystem::path& file) {
      SilentFrontend frontend;
      writeMessageFile(file, reading.header, reading.records, frontend);
    }));
  }
  return all;
}

}  // namespace zvc::fuzz
