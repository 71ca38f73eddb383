// Configuration files (".cnf"): the record as read, then its sections checked into an image as
// the editor and the whole-configuration write do.
#include "core/tables/config_file.h"
#include "fuzz_support.h"

namespace zvc::fuzz {

void fuzzOne(std::span<const std::uint8_t> input) {
  SilentFrontend frontend;
  auto record = readConfigFile(scratchFile("config.cnf", input), frontend);
  if (!record) return;
  ConfigImage image = simulatorImage();
  (void)configRecordToImage(*record, true, image, frontend);
}

std::vector<Bytes> seeds() {
  ConfigFileRecord fromSimulator = defaultConfigRecord();
  imageToConfigRecord(simulatorImage(), fromSimulator);
  std::vector<Bytes> all;
  for (const ConfigFileRecord& record : {defaultConfigRecord(), fromSimulator}) {
    all.push_back(writtenBytes("saved.cnf", [&](const std::filesystem::path& file) {
      SilentFrontend frontend;
      writeConfigFile(file, record, frontend);
    }));
  }
  return all;
}

}  // namespace zvc::fuzz
