// Calibration and verification archive readings: the clock, the records of a period and their
// table, whatever the controller answers.
#include "core/archives/calibration_archives.h"
#include "fuzz_support.h"

namespace zvc::fuzz {
namespace {

// Operation byte: bit 0 the verification archive (else calibration).
void session(kpsbox& engine, FakeLine& line, std::uint8_t operation) {
  ControllerSession controller(engine, line);
  const CheckArchive archive =
      (operation & 1) != 0 ? CheckArchive::kVerification : CheckArchive::kCalibration;
  if (const auto reading = readCheckArchive(controller, archive)) {
    (void)buildCheckTable(archive, reading->header, reading->records);
  }
}

}  // namespace

void fuzzOne(std::span<const std::uint8_t> input) {
  runLineInput(input, session);
}

std::vector<Bytes> seeds() {
  return {recordLineInput(0, 0, session), recordLineInput(0, 1, session),
          recordLineInput(5, 1, session)};
}

}  // namespace zvc::fuzz
