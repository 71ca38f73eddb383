#pragma once

#include <climits>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zvc {

// A settings file in the Windows INI form that installations exchange: Windows-1251 bytes, CRLF
// line ends, "[SECTION]" and "Key=Value" lines. Names and values cross this API in UTF-8.
//
// Our own module rather than SimpleIni: SimpleIni writes LF on Linux, rebuilds every line it saves
// (spacing, stray lines) and lets the last duplicate key win. Here every line we do not set stays
// byte for byte as it was, so a file written by another installation survives our saves.
//
// Reading follows Windows: names compare case-insensitively (Cyrillic included), the first of
// duplicate sections or keys wins, blanks around "=" and one pair of enclosing quotes are dropped,
// ";" lines and lines that are neither section nor key are skipped. LF-only files and a UTF-8 BOM
// (the rest is then read as UTF-8) are accepted.
class IniFile {
 public:
  using Entries = std::vector<std::pair<std::string, std::string>>;

  // A missing or unreadable file gives an empty one.
  static IniFile load(const std::filesystem::path& path);
  static IniFile fromBytes(std::string_view bytes);

  // The file as Windows-1251 bytes with CRLF after every line.
  std::string toBytes() const;
  // Writes a temporary file in the same folder and renames it over the old one, so a failure
  // never leaves half a file behind.
  bool save(const std::filesystem::path& path) const;

  bool hasSection(std::string_view section) const;
  std::optional<std::string> value(std::string_view section, std::string_view key) const;
  std::string getString(std::string_view section, std::string_view key,
                        std::string_view fallback) const;
  // A missing key, a text that is not a whole integer, or a value outside min..max gives fallback.
  long long getInteger(std::string_view section, std::string_view key, long long fallback,
                       long long min = INT_MIN, long long max = INT_MAX) const;

  // Sets one key; the section's other keys and the rest of the file stay as they are.
  void setString(std::string_view section, std::string_view key, std::string_view value);
  void setInteger(std::string_view section, std::string_view key, long long value);
  // The section afterwards holds exactly these keys in this order; added at the end when missing.
  void replaceSection(std::string_view section, const Entries& entries);
  // Removes every section of that name with its lines.
  void removeSection(std::string_view section);

 private:
  enum class Kind { kOther, kSection, kKey };
  struct Line {
    std::string raw;  // Windows-1251, without the line end
    Kind kind = Kind::kOther;
    std::string name;   // upper-cased section or key name
    std::string value;  // key lines: the value as Windows reads it
  };

  static Line parseLine(std::string raw);
  static Line keyLine(std::string_view key, std::string_view value);
  static Line sectionLine(std::string_view section);
  std::size_t findSection(std::string_view section) const;
  std::size_t sectionEnd(std::size_t header) const;
  std::size_t afterLastKey(std::size_t header) const;
  std::size_t findKey(std::size_t header, std::string_view key) const;

  std::vector<Line> lines_;
};

}  // namespace zvc
