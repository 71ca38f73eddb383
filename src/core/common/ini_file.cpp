#include "core/common/ini_file.h"

#include <fstream>
#include <iterator>

#include "core/common/file_io.h"
#include "core/common/format.h"
#include "core/common/text_codec.h"

namespace zvc {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::size_t kNone = static_cast<std::size_t>(-1);

std::string_view trimBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

bool enclosedInQuotes(std::string_view text) {
  return text.size() >= 2 && (text.front() == '"' || text.front() == '\'') &&
         text.back() == text.front();
}

// Windows drops one pair of enclosing quotes when reading a value.
std::string_view unquote(std::string_view value) {
  return enclosedInQuotes(value) ? value.substr(1, value.size() - 2) : value;
}

// The value as it has to stand in the file to read back unchanged: no line breaks (they would
// start a new line, even a new section), quoted when blanks or quotes at its ends would be lost.
std::string fileValue(std::string value) {
  for (char& c : value) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  if (!value.empty() && (enclosedInQuotes(value) || trimBlanks(value).size() != value.size())) {
    return "\"" + value + "\"";
  }
  return value;
}

// Name of a section or key as compared: Windows-1251, upper case.
std::string nameKey(std::string_view utf8) {
  return upperCp1251(utf8ToCp1251(utf8));
}

}  // namespace

IniFile IniFile::load(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  return fromBytes(bytes);
}

IniFile IniFile::fromBytes(std::string_view bytes) {
  std::string converted;
  if (bytes.starts_with(kUtf8Bom)) {
    converted = utf8ToCp1251(bytes.substr(kUtf8Bom.size()));
    bytes = converted;
  }
  IniFile file;
  while (!bytes.empty()) {
    const std::size_t end = bytes.find('\n');
    std::string_view raw = bytes.substr(0, end);
    bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
    if (raw.ends_with('\r')) raw.remove_suffix(1);
    file.lines_.push_back(parseLine(std::string(raw)));
  }
  return file;
}

IniFile::Line IniFile::parseLine(std::string raw) {
  Line line;
  line.raw = std::move(raw);
  const std::string_view text = trimBlanks(line.raw);
  if (text.starts_with('[')) {
    const std::size_t close = text.find(']');
    if (close != std::string_view::npos) {
      line.kind = Kind::kSection;
      line.name = upperCp1251(trimBlanks(text.substr(1, close - 1)));
    }
    return line;
  }
  if (text.starts_with(';')) return line;
  const std::size_t equals = text.find('=');
  if (equals == std::string_view::npos) return line;
  const std::string_view key = trimBlanks(text.substr(0, equals));
  if (key.empty()) return line;
  line.kind = Kind::kKey;
  line.name = upperCp1251(key);
  line.value = std::string(unquote(trimBlanks(text.substr(equals + 1))));
  return line;
}

IniFile::Line IniFile::keyLine(std::string_view key, std::string_view value) {
  return parseLine(utf8ToCp1251(key) + "=" + fileValue(utf8ToCp1251(value)));
}

IniFile::Line IniFile::sectionLine(std::string_view section) {
  return parseLine("[" + utf8ToCp1251(section) + "]");
}

std::string IniFile::toBytes() const {
  std::string bytes;
  for (const Line& line : lines_) {
    bytes += line.raw;
    bytes += "\r\n";
  }
  return bytes;
}

bool IniFile::save(const std::filesystem::path& path) const {
  return writeFileAtomically(path, toBytes());
}

std::size_t IniFile::findSection(std::string_view section) const {
  const std::string name = nameKey(section);
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].kind == Kind::kSection && lines_[i].name == name) return i;
  }
  return kNone;
}

std::size_t IniFile::sectionEnd(std::size_t header) const {
  std::size_t i = header + 1;
  while (i < lines_.size() && lines_[i].kind != Kind::kSection) ++i;
  return i;
}

std::size_t IniFile::afterLastKey(std::size_t header) const {
  std::size_t after = header + 1;
  const std::size_t end = sectionEnd(header);
  for (std::size_t i = header + 1; i < end; ++i) {
    if (lines_[i].kind == Kind::kKey) after = i + 1;
  }
  return after;
}

std::size_t IniFile::findKey(std::size_t header, std::string_view key) const {
  const std::string name = nameKey(key);
  const std::size_t end = sectionEnd(header);
  for (std::size_t i = header + 1; i < end; ++i) {
    if (lines_[i].kind == Kind::kKey && lines_[i].name == name) return i;
  }
  return kNone;
}

bool IniFile::hasSection(std::string_view section) const {
  return findSection(section) != kNone;
}

std::optional<std::string> IniFile::value(std::string_view section, std::string_view key) const {
  const std::size_t header = findSection(section);
  if (header == kNone) return std::nullopt;
  const std::size_t line = findKey(header, key);
  if (line == kNone) return std::nullopt;
  return cp1251ToUtf8(lines_[line].value);
}

std::string IniFile::getString(std::string_view section, std::string_view key,
                               std::string_view fallback) const {
  std::optional<std::string> text = value(section, key);
  return text ? *std::move(text) : std::string(fallback);
}

long long IniFile::getInteger(std::string_view section, std::string_view key, long long fallback,
                              long long min, long long max) const {
  const std::optional<std::string> text = value(section, key);
  if (!text) return fallback;
  const std::optional<long long> number = parseInteger(*text);
  if (!number || *number < min || *number > max) return fallback;
  return *number;
}

void IniFile::setString(std::string_view section, std::string_view key, std::string_view value) {
  const std::size_t header = findSection(section);
  if (header == kNone) {
    lines_.push_back(sectionLine(section));
    lines_.push_back(keyLine(key, value));
    return;
  }
  const std::size_t line = findKey(header, key);
  if (line != kNone) {
    lines_[line] = keyLine(key, value);
    return;
  }
  // After the section's last key, so blank lines and comments before the next section stay there.
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(afterLastKey(header)),
                keyLine(key, value));
}

void IniFile::setInteger(std::string_view section, std::string_view key, long long value) {
  setString(section, key, std::to_string(value));
}

void IniFile::replaceSection(std::string_view section, const Entries& entries) {
  std::size_t header = findSection(section);
  if (header == kNone) {
    header = lines_.size();
    lines_.push_back(sectionLine(section));
  }
  std::vector<Line> body;
  for (const auto& [key, value] : entries) body.push_back(keyLine(key, value));
  // Blank lines and comments after the last key stay where they are, before the next section.
  const auto first = lines_.begin() + static_cast<std::ptrdiff_t>(header + 1);
  const auto last = lines_.begin() + static_cast<std::ptrdiff_t>(afterLastKey(header));
  lines_.insert(lines_.erase(first, last), body.begin(), body.end());
}

void IniFile::removeSection(std::string_view section) {
  for (std::size_t header = findSection(section); header != kNone; header = findSection(section)) {
    const auto first = lines_.begin() + static_cast<std::ptrdiff_t>(header);
    lines_.erase(first, lines_.begin() + static_cast<std::ptrdiff_t>(sectionEnd(header)));
  }
}

}  // namespace zvc
