#include "core/tables/names_section.h"

#include <algorithm>

#include "core/common/text_codec.h"
#include "core/tables/config_image.h"

namespace zvc {
namespace {

constexpr int kNamesTable = 5;

std::span<const std::uint8_t> nameField(ConstNamesSection section, std::size_t name) {
  return section.subspan(name * kNameBytes, kNameBytes);
}

}  // namespace

NamesInput namesInput(ConstNamesSection section) {
  NamesInput input;
  for (std::size_t name = 0; name < kNameCount; ++name) {
    const auto field = nameField(section, name);
    input[name] = fieldToUtf8(field.data(), field.size());
  }
  return input;
}

std::optional<InputError> acceptNames(const NamesInput& input, NamesSection section) {
  // A name of blanks would show as nothing.
  const auto blank = [](const std::string& name) {
    return name.find_first_not_of(' ') == std::string::npos;
  };
  if (std::ranges::any_of(input, blank)) {
    return missingInput();
  }
  for (std::size_t name = 0; name < kNameCount; ++name) {
    utf8ToField(input[name], section.data() + name * kNameBytes, kNameBytes);
  }
  return std::nullopt;
}

std::vector<ParameterLine> namesLines(ConstNamesSection section) {
  const NamesInput names = namesInput(section);
  std::vector<ParameterLine> lines;
  for (std::size_t name = 0; name < kNameCount; ++name) {
    lines.push_back({std::string(kNameLabels[name]), names[name]});
  }
  return lines;
}

std::vector<ParameterLine> controllerNameLines(const ConfigImage& image) {
  return namesLines(image.table(kNamesTable).first<kNameCount * kNameBytes>());
}

NamesSection namesSection(ConfigImage& image) {
  return image.table(kNamesTable).first<kNameCount * kNameBytes>();
}

}  // namespace zvc
