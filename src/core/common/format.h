#pragma once

#include <cstdarg>
#include <optional>
#include <string>
#include <string_view>

namespace zvc {

// printf-style formatting into a UTF-8 string, always with "." as decimal
// separator whatever locale the program (or Qt) has set.
std::string format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
std::string vformat(const char* fmt, std::va_list args);

// Number parsing and printing with "." whatever the locale. Parsing accepts
// the whole text only (surrounding blanks allowed); anything else is nullopt.
std::optional<long long> parseInteger(std::string_view text);
std::optional<double> parseReal(std::string_view text);
// Shortest text that reads back as the same double.
std::string realToString(double value);

}  // namespace zvc
