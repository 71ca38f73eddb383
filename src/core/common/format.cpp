#include "core/common/format.h"

#include <locale.h>

#include <charconv>
#include <cstdio>
#include <vector>

namespace zvc {
namespace {

// The "C" locale, made once, switched in for the calling thread only.
locale_t cLocale() {
  static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return locale;
}

class CLocaleScope {
 public:
  CLocaleScope() : previous_(uselocale(cLocale())) {}
  ~CLocaleScope() { uselocale(previous_); }
  CLocaleScope(const CLocaleScope&) = delete;
  CLocaleScope& operator=(const CLocaleScope&) = delete;

 private:
  locale_t previous_;
};

std::string_view trimBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// from_chars takes no "+", so one is dropped first; never before a "-", or "+-5" would read as -5.
template <typename Number>
std::optional<Number> parseWhole(std::string_view text) {
  text = trimBlanks(text);
  if (text.size() > 1 && text[0] == '+' && text[1] != '-') text.remove_prefix(1);
  Number value = 0;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end) return std::nullopt;
  return value;
}

}  // namespace

std::string vformat(const char* fmt, std::va_list args) {
  CLocaleScope scope;
  std::va_list copy;
  va_copy(copy, args);
  char small[256];
  const int needed = std::vsnprintf(small, sizeof small, fmt, copy);
  va_end(copy);
  if (needed < 0) return {};
  if (static_cast<std::size_t>(needed) < sizeof small) return std::string(small, needed);
  std::vector<char> big(static_cast<std::size_t>(needed) + 1);
  std::vsnprintf(big.data(), big.size(), fmt, args);
  return std::string(big.data(), needed);
}

std::string format(const char* fmt, ...) {
  std::va_list args;
  va_start(args, fmt);
  std::string text = vformat(fmt, args);
  va_end(args);
  return text;
}

std::optional<long long> parseInteger(std::string_view text) {
  return parseWhole<long long>(text);
}

std::optional<double> parseReal(std::string_view text) {
  return parseWhole<double>(text);
}

std::string realToString(double value) {
  char buffer[64];
  auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  return ec == std::errc() ? std::string(buffer, ptr) : std::string();
}

}  // namespace zvc
