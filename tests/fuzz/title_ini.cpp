// "title.ini": the organisation printed on top of a report.
#include "core/archives/print_question.h"
#include "fuzz_support.h"

namespace zvc::fuzz {

void fuzzOne(std::span<const std::uint8_t> input) {
  (void)OrganisationTitle::load(scratchFile("title.ini", input)).text();
}

std::vector<Bytes> seeds() {
  return {writtenBytes("title.ini", [](const std::filesystem::path& file) {
    OrganisationTitle::load(file).accept("ООО \"Газ Украины\" – станция №1");
  })};
}

}  // namespace zvc::fuzz
