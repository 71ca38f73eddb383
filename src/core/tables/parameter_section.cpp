#include "core/tables/parameter_section.h"

#include <algorithm>
#include <limits>

#include "core/common/format.h"

namespace zvc {
namespace {

std::string_view trimBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::string_view confirmCaption(SectionMode mode) {
  return mode == SectionMode::kWrite ? "Записать в устройство" : "Принять";
}

std::string oneLineLabel(std::string_view label) {
  std::string joined;
  for (std::size_t start = 0; start <= label.size();) {
    const std::size_t end = std::min(label.find('\n', start), label.size());
    const std::string_view line = trimBlanks(label.substr(start, end - start));
    if (!line.empty()) {
      if (!joined.empty()) joined += ' ';
      joined += line;
    }
    start = end + 1;
  }
  return joined;
}

std::string groupedLabel(std::string_view group, std::string_view label) {
  return oneLineLabel(group) + ": " + oneLineLabel(label);
}

std::optional<long long> fieldNumber(std::string_view text) {
  const std::string_view digits = trimBlanks(text);
  if (digits.empty()) return std::nullopt;
  if (const std::optional<long long> value = parseInteger(digits)) return value;
  return std::numeric_limits<long long>::max();
}

std::string_view checkText(bool ticked) {
  return ticked ? "Да" : "Нет";
}

std::vector<std::string> numberTexts(int first, int last) {
  std::vector<std::string> texts;
  for (int value = first; value <= last; ++value) texts.push_back(format("%d", value));
  return texts;
}

std::vector<std::string> hourTexts(int first, int last) {
  std::vector<std::string> texts;
  for (int hour = first; hour <= last; ++hour) texts.push_back(format("%d:00", hour));
  return texts;
}

std::string choiceText(const std::vector<std::string>& texts, std::optional<int> index) {
  if (!index || *index < 0 || *index >= static_cast<int>(texts.size())) return {};
  return texts[*index];
}

std::string withUnit(const std::string& value, std::string_view unit) {
  return value.empty() ? value : value + " " + std::string(unit);
}

std::optional<int> indexInRange(int value, int first, int last) {
  if (value < first || value > last) return std::nullopt;
  return value - first;
}

}  // namespace zvc
