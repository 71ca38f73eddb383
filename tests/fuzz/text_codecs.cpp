// The text codecs: Windows-1251, UTF-8, CP866 and the fixed-width fields, on any bytes.
#include <algorithm>

#include "core/common/text_codec.h"
#include "fuzz_support.h"

namespace zvc::fuzz {
void fuzzOne(std::span<const std::uint8_t> input) {
  const std::string_view bytes(reinterpret_cast<const char*>(input.data()), input.size());

  // Every Windows-1251 byte but the undefined 0x98 comes back from UTF-8 as it was.
  const std::string utf8 = cp1251ToUtf8(bytes);
  std::string expected(bytes);
  std::replace(expected.begin(), expected.end(), '\x98', '?');
  check(utf8ToCp1251(utf8) == expected, "Windows-1251 survives UTF-8");

  // The same bytes taken as (perhaps broken) UTF-8.
  (void)utf8ToCp1251(bytes);
  (void)upperCp1251(bytes);
  (void)fieldToUtf8(input.data(), input.size());

  std::uint8_t field[20];
  std::fill(std::begin(field), std::end(field), 0xAA);
  utf8ToField(bytes, field, sizeof field);
  utf8ToField(utf8, field, sizeof field);
  (void)fieldToUtf8(field, sizeof field);

  Bytes names(input.begin(), input.end());
  encodeCp866(names.data(), names.size());
  decodeCp866(names.data(), names.size());
}

std::vector<Bytes> seeds() {
  const std::string samples[] = {
      utf8ToCp1251("Контроллер ЖВЦ_15"), utf8ToCp1251("Нитка 1  "), utf8ToCp1251("ёЁ№ ©«»"),
      "\xD0\x9A\xD0\xBE\xE2\x82\xAC", "\x98\x00\xFF",
  };
  std::vector<Bytes> all;
  for (const std::string& sample : samples) all.emplace_back(sample.begin(), sample.end());
  return all;
}

}  // namespace zvc::fuzz
