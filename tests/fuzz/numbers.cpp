// Number parsing of settings values and typed fields: the whole text, one sign, or nothing.
#include <cmath>
#include <string>

#include "core/common/format.h"
#include "fuzz_support.h"

namespace zvc::fuzz {
namespace {

bool isSign(char c) {
  return c == '+' || c == '-';
}

// No accepted text starts with two signs ("+-5" once read as -5).
bool oneLeadingSign(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  return text.size() < 2 || !isSign(text[0]) || !isSign(text[1]);
}

}  // namespace

void fuzzOne(std::span<const std::uint8_t> input) {
  const std::string_view text(reinterpret_cast<const char*>(input.data()), input.size());
  if (parseInteger(text)) check(oneLeadingSign(text), "one sign before an integer");
  if (const auto real = parseReal(text)) {
    check(oneLeadingSign(text), "one sign before a real");
    if (std::isfinite(*real)) check(parseReal(realToString(*real)) == *real, "real round trip");
  }
}

std::vector<Bytes> seeds() {
  std::vector<Bytes> all;
  for (const std::string text : {"42", " +7 ", "-3", "1.5e-7", "-0.25", "+.5", "1e308", "inf"}) {
    all.emplace_back(text.begin(), text.end());
  }
  return all;
}

}  // namespace zvc::fuzz
